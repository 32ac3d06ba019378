#pragma once

#include "records/ErrorMessageBoxes.h"
#include "records/MaxPlusOneNumbering.h"
#include "records/RememberedPosition.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QToolBar>
#include <functional>
#include <optional>

class DataCombo;
class DataSource;
class QCheckBox;
class QLabel;
class QLineEdit;
struct AppContext;

// The toolbar of the record forms (`Toolbar1`): moves through the form's main recordset, adds and
// modifies a record in two clicks (the second click saves), cancels, deletes after a question,
// refreshes and opens the form's list. The form's edit state lives in the captions of its add and
// modify buttons: idle, adding ("sure_add") or modifying ("sure_modify").
//
// The buttons are in the form's tab order and answer Space and Enter; each has an access key, Alt and a
// letter of its caption: the editing roles take theirs first, and the letters of the frame's menus
// (FILE, VIEW, SET, TOOL, HELP) are left to them.
//
// A save writes the main row, its companion rows and the form's extra rows in one transaction: all of
// them or none. A failed save is reported with the form's message and leaves the add or modify in
// progress, so the next click tries again and cancel abandons it. While a record is being edited the
// controls that would move the main recordset are disabled.
class RecordToolbar : public QToolBar {
    Q_OBJECT
public:
    enum class Role { First, Previous, Next, Last, Add, Delete, Modify, Cancel, Update, ListView, Other };
    enum class State { Idle, Adding, Modifying };

    struct Button {
        Role role;
        QString caption;
        QString toolTip;
        std::function<void()> run = {}; // what a button of Role::Other does; nothing when empty
    };

    // The four move buttons every record form starts with; forms differ only in the first caption.
    static QList<Button> moveButtons(const QString& firstCaption = QStringLiteral("first"));

    // A new row's code given by the program: shown as the add begins, handed to `assign` once the new
    // rows are open, and taken for good by the save, so a code another clerk saved meanwhile is never
    // refused: the save takes the next free one.
    struct Numbering {
        MaxPlusOneNumbering source;
        std::function<void(qint32 code)> assign;
    };

    struct Config {
        QList<Button> buttons; // button index = position in the list + 1
        DataSource* main = nullptr;
        QList<DataSource*> companions; // a new row opens on each with the main row and is saved after it

        // The record's controls. All are locked while idle.
        QList<QLineEdit*> entryBoxes;      // unlocked while adding or modifying; the first takes the focus
        QList<QLineEdit*> keyBoxes;        // show a key nobody types: never unlocked
        QList<QLineEdit*> modifyOnlyBoxes; // unlocked while modifying only
        QList<DataCombo*> combos;
        QList<QCheckBox*> checkBoxes;
        QList<QWidget*> handOverButtons; // open other forms for the current record: off while editing
        QList<QWidget*> recordMovers;    // search box and buttons, filters, grids: off while editing
        // A search box that is only locked while adding and can still be typed in while modifying; its
        // search buttons belong among the record movers, so it searches only while idle.
        QLineEdit* searchBox = nullptr;

        std::function<void()> addDefaults;     // writes the defaults of a new record; its rows are open
        std::function<void()> modifyBegins;    // remembers what the modify save needs
        std::function<void()> addSaveSteps;    // after the main row is written, before the companion rows
        std::function<void()> modifySaveSteps; // after the main row is written
        std::function<void()> deleteSteps;     // after the main row is deleted, in the same transaction
        std::function<void()> beforeWrite;     // in both saves, before the bound boxes put in their text
        // Asked as a modify or a delete of the current record begins, before any typing and before the
        // delete question: true where the record may not change, once the form has said why.
        std::function<bool()> refuseChange;
        // Around every click of a button: before it is handled, and after its action is done (also when
        // the action was refused or only began an edit: state() tells where the record stands).
        std::function<void(Role)> beforeClick;
        std::function<void(Role)> afterClick;
        std::optional<Numbering> numbering;

        std::optional<MessageBoxText> deleteQuestion;
        ToolbarMessages messages;
        std::optional<MessageBoxText> deleteRefused; // a form's own word for it; else messages.deleteRefused()
        QLabel* counter = nullptr; // 計數
        int counterStart = 0;
        QString listForm;                     // opened by Role::ListView
        bool cancelDisabledAfterSave = false; // most forms leave cancel enabled once an edit has begun
    };

    static inline const QString AddingCaption = QStringLiteral("sure_add");
    static inline const QString ModifyingCaption = QStringLiteral("sure_modify");

    RecordToolbar(AppContext& app, Config config, QWidget* parent = nullptr);

    // The button of a 1-based index, nullptr beyond the last. Its tool button is named "Button<index>".
    QAction* button(int index) const;
    // The tool buttons in their order, for a form that places the toolbar in its tab order.
    QList<QWidget*> tabStops() const;
    // The letter of a button's access key (lower case), or none.
    QChar accessKey(int index) const { return m_accessKeys.value(index - 1); }
    State state() const;
    int counter() const { return m_counter; }
    // Shared with the form's search, which starts from it too.
    RememberedPosition& rememberedPosition() { return m_remembered; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A new record and its companion rows were saved.
    void added();
    // The clerk said Yes and the current record was deleted.
    void deleted();

private:
    Recordset& records() const;
    QAction* roleButton(Role role) const;
    QString idleCaption(Role role) const;
    void click(int index);
    void runAction(const Button& clicked);

    void navigate(Role role);
    void beginAdd();
    void saveAdd();
    void beginModify();
    void saveModify();
    void cancel();
    void deleteCurrent();
    void refresh();
    void openList();

    bool changeRefused();
    void enterEditing(State state);
    void leaveEditing(bool saved);
    void lockRecordControls();
    void showCounter();
    void chooseAccessKeys();
    // The form's own box for a refusal; `detail` says why.
    void report(const std::optional<MessageBoxText>& message, const QString& detail = {});

    AppContext& m_app;
    Config m_config;
    QList<QAction*> m_buttons;
    QList<QChar> m_accessKeys; // by button, as its index less one
    RememberedPosition m_remembered;
    int m_counter = 0;
    QHash<DataCombo*, QString> m_comboTextsAtPress;
    QList<std::pair<QPointer<QWidget>, bool>> m_moversBeforeEditing;
};
