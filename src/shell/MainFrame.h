#pragma once

#include <QMainWindow>

class FrameStatusBar;
class QMdiArea;
class QMenu;
struct AppContext;

// MDIForm1, the frame "HALCYON LEDGER": the workspace of the child windows, the menus that open the
// forms, the cut/copy/paste toolbar and the status bar with the user's name.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(AppContext& app, QWidget* parent = nullptr);

    QMdiArea* workspace() const { return m_workspace; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFileMenu();
    void buildViewMenu();
    void buildSetMenu();
    void buildToolMenu();
    void buildHelpMenu();
    void buildToolbar();
    void fitScreen();

    QAction* addItem(QMenu* menu, const QString& control, const QString& caption,
                     const QKeySequence& shortcut = {});
    // An item that opens a form; disabled while the program has no such form.
    QAction* addFormItem(QMenu* menu, const QString& control, const QString& caption, const QString& form,
                         const QKeySequence& shortcut = {});
    void addToolItem(QMenu* menu, const QString& control, const QString& caption, const QStringList& commands,
                     const QString& missingMessage, const QKeySequence& shortcut = {});

    void editFocusedBox(const char* slot, const char* signature);
    void confirmExit();
    bool isMenuShortcut(const QKeySequence& keys) const;

    AppContext& m_app;
    QMdiArea* m_workspace;
    FrameStatusBar* m_statusBar;
};
