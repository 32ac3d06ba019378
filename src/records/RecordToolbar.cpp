#include "records/RecordToolbar.h"

#include "widgets/DataCombo.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "core/AppContext.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <exception>

namespace {

// A step whose failure the toolbar passes over: the next step runs.
template <class Step>
void skippingFailure(Step&& step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

QList<RecordToolbar::Button> RecordToolbar::moveButtons(const QString& firstCaption)
{
    return {
        {Role::First, firstCaption, QStringLiteral("移至第一筆")},
        {Role::Previous, QStringLiteral("previous"), QStringLiteral("移至上一筆")},
        {Role::Next, QStringLiteral("next"), QStringLiteral("移至下一筆")},
        {Role::Last, QStringLiteral("last"), QStringLiteral("移至最後一筆")},
    };
}

RecordToolbar::RecordToolbar(AppContext& app, Config config, QWidget* parent)
    : QToolBar(parent), m_app(app), m_config(std::move(config)), m_remembered(m_config.main->recordset()),
      m_counter(m_config.counterStart)
{
    setObjectName(QStringLiteral("Toolbar1"));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);

    for (int i = 0; i < m_config.buttons.size(); ++i) {
        const Button& configured = m_config.buttons[i];
        QAction* action = addAction(configured.caption);
        action->setToolTip(configured.toolTip);
        QWidget* toolButton = widgetForAction(action);
        toolButton->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        // A toolbar keeps its buttons out of the tab order; a clerk without a mouse needs them in it.
        toolButton->setFocusPolicy(Qt::TabFocus);
        toolButton->installEventFilter(this);
        connect(action, &QAction::triggered, this, [this, index = i + 1] { click(index); });
        m_buttons << action;
    }
    chooseAccessKeys();
    for (DataCombo* combo : std::as_const(m_config.combos)) {
        connect(combo, &DataCombo::leftButtonPressed, this,
                [this, combo](const QString& text) { m_comboTextsAtPress.insert(combo, text); });
    }

    lockRecordControls();
    if (QAction* cancelButton = roleButton(Role::Cancel))
        cancelButton->setEnabled(false);
    showCounter();
}

namespace {

// The letters of the frame's menus: Alt with one of them opens the menu.
const QString menuLetters = QStringLiteral("fvsth");

bool editsTheRecord(RecordToolbar::Role role)
{
    using enum RecordToolbar::Role;
    return role == Add || role == Modify || role == Cancel || role == Delete;
}

} // namespace

// Each button's first letter that the menus and the buttons before it left free, the buttons that
// edit the record choosing first, so that add, modify, cancel and delete have the same keys on every
// form. The captions stay as they are: the keys are not marked on them.
void RecordToolbar::chooseAccessKeys()
{
    m_accessKeys = QList<QChar>(m_buttons.size());
    QString taken = menuLetters;
    for (const bool editing : {true, false}) {
        for (int i = 0; i < m_config.buttons.size(); ++i) {
            if (editsTheRecord(m_config.buttons[i].role) != editing)
                continue;
            for (const QChar c : m_config.buttons[i].caption.toLower()) {
                if (c >= u'a' && c <= u'z' && !taken.contains(c)) {
                    m_accessKeys[i] = c;
                    taken += c;
                    break;
                }
            }
        }
    }
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (m_accessKeys[i].isNull())
            continue;
        auto* toolButton = qobject_cast<QToolButton*>(widgetForAction(m_buttons[i]));
        const QKeySequence keys(QKeyCombination(Qt::AltModifier, Qt::Key(Qt::Key_A + (m_accessKeys[i].unicode() - u'a'))));
        toolButton->setShortcut(keys);
        // A new caption ("sure_add") takes the button's key with it, as the caption holds no marked letter.
        connect(m_buttons[i], &QAction::changed, toolButton, [toolButton, keys] { toolButton->setShortcut(keys); });
    }
}

// Enter on a focused button clicks it, as Space does.
bool RecordToolbar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* toolButton = qobject_cast<QToolButton*>(watched);
        if (toolButton && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            if (toolButton->isEnabled())
                toolButton->click();
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

QAction* RecordToolbar::button(int index) const
{
    return index >= 1 && index <= m_buttons.size() ? m_buttons[index - 1] : nullptr;
}

QList<QWidget*> RecordToolbar::tabStops() const
{
    QList<QWidget*> buttons;
    for (QAction* action : m_buttons)
        buttons << widgetForAction(action);
    return buttons;
}

QAction* RecordToolbar::roleButton(Role role) const
{
    for (int i = 0; i < m_config.buttons.size(); ++i)
        if (m_config.buttons[i].role == role)
            return m_buttons[i];
    return nullptr;
}

QString RecordToolbar::idleCaption(Role role) const
{
    for (const Button& configured : m_config.buttons)
        if (configured.role == role)
            return configured.caption;
    return {};
}

RecordToolbar::State RecordToolbar::state() const
{
    if (QAction* add = roleButton(Role::Add); add && add->text() != idleCaption(Role::Add))
        return State::Adding;
    if (QAction* modify = roleButton(Role::Modify); modify && modify->text() != idleCaption(Role::Modify))
        return State::Modifying;
    return State::Idle;
}

Recordset& RecordToolbar::records() const
{
    return m_config.main->recordset();
}

void RecordToolbar::click(int index)
{
    const Button& clicked = m_config.buttons[index - 1];
    if (m_config.beforeClick)
        skippingFailure([&] { m_config.beforeClick(clicked.role); });
    runAction(clicked);
    if (m_config.afterClick)
        skippingFailure([&] { m_config.afterClick(clicked.role); });
}

void RecordToolbar::runAction(const Button& clicked)
{
    switch (clicked.role) {
    case Role::First:
    case Role::Previous:
    case Role::Next:
    case Role::Last:
        navigate(clicked.role);
        break;
    case Role::Add:
        state() == State::Adding ? saveAdd() : beginAdd();
        break;
    case Role::Modify:
        state() == State::Modifying ? saveModify() : beginModify();
        break;
    case Role::Delete:
        deleteCurrent();
        break;
    case Role::Cancel:
        cancel();
        break;
    case Role::Update:
        refresh();
        break;
    case Role::ListView:
        openList();
        break;
    case Role::Other:
        if (clicked.run)
            clicked.run();
        break;
    }
}

void RecordToolbar::report(const std::optional<MessageBoxText>& message, const QString& detail)
{
    if (message)
        showMessage(m_app.messages, *message, detail);
}

void RecordToolbar::navigate(Role role)
{
    Recordset& rows = records();
    if (rows.recordCount() == 0) {
        report(m_config.messages.navigation);
        return;
    }
    try {
        switch (role) {
        case Role::First:
            rows.moveFirst();
            break;
        case Role::Previous:
            if (!rows.bof())
                rows.movePrevious();
            if (rows.bof())
                rows.moveFirst();
            break;
        case Role::Next:
            if (!rows.eof())
                rows.moveNext();
            if (rows.eof())
                rows.moveLast();
            break;
        default:
            rows.moveLast();
            break;
        }
    } catch (const std::exception& error) {
        report(m_config.messages.navigation, refusalDetail(error));
    }
}

void RecordToolbar::beginAdd()
{
    m_remembered.remember();
    std::optional<qint32> code;
    if (m_config.numbering)
        skippingFailure([&] { code = m_config.numbering->source.next(); });
    // Without its new row the boxes would edit the record on show: the add does not begin.
    try {
        records().addNew();
    } catch (const std::exception& error) {
        report(m_config.messages.addSave, refusalDetail(error));
        return;
    }
    for (DataSource* companion : std::as_const(m_config.companions))
        skippingFailure([&] { companion->recordset().addNew(); });
    if (code)
        skippingFailure([&] { m_config.numbering->assign(*code); });
    if (m_config.addDefaults)
        skippingFailure(m_config.addDefaults);

    roleButton(Role::Add)->setText(AddingCaption);
    enterEditing(State::Adding);
}

void RecordToolbar::saveAdd()
{
    try {
        Transaction transaction(m_config.main->recordset().database());
        // The code shown as the add began is a guess: the one saved is taken now, under the table's lock.
        if (m_config.numbering)
            m_config.numbering->assign(m_config.numbering->source.take());
        if (m_config.beforeWrite)
            m_config.beforeWrite();
        records().update();
        if (m_config.addSaveSteps)
            m_config.addSaveSteps();
        for (DataSource* companion : std::as_const(m_config.companions))
            companion->recordset().update();
        transaction.commit();
    } catch (const std::exception& error) {
        report(m_config.messages.addSave, refusalDetail(error));
        return;
    }
    roleButton(Role::Add)->setText(idleCaption(Role::Add));
    leaveEditing(true);
    ++m_counter;
    showCounter();
    emit added();
}

// A check that cannot be made lets the change begin: the save's own checks still hold.
bool RecordToolbar::changeRefused()
{
    bool refused = false;
    if (m_config.refuseChange)
        skippingFailure([&] { refused = m_config.refuseChange(); });
    return refused;
}

void RecordToolbar::beginModify()
{
    if (!records().hasCurrentRow() || changeRefused())
        return;
    if (m_config.modifyBegins)
        skippingFailure(m_config.modifyBegins);
    m_remembered.remember();
    roleButton(Role::Modify)->setText(ModifyingCaption);
    enterEditing(State::Modifying);
}

void RecordToolbar::saveModify()
{
    try {
        Transaction transaction(records().database());
        if (m_config.beforeWrite)
            m_config.beforeWrite();
        records().update();
        if (m_config.modifySaveSteps)
            m_config.modifySaveSteps();
        transaction.commit();
    } catch (const std::exception& error) {
        report(m_config.messages.modifySave, refusalDetail(error));
        return;
    }
    roleButton(Role::Modify)->setText(idleCaption(Role::Modify));
    leaveEditing(true);
}

void RecordToolbar::cancel()
{
    for (auto it = m_comboTextsAtPress.cbegin(); it != m_comboTextsAtPress.cend(); ++it)
        it.key()->setText(it.value());
    m_comboTextsAtPress.clear();
    try {
        records().cancelUpdate();
        for (DataSource* companion : std::as_const(m_config.companions))
            companion->recordset().cancelUpdate();
        // The move shows the row again in every bound control, text typed into them included.
        if (!m_remembered.restore())
            records().moveFirst();
    } catch (const std::exception& error) {
        report(m_config.messages.cancel, refusalDetail(error));
        return;
    }
    if (QAction* modify = roleButton(Role::Modify))
        modify->setText(idleCaption(Role::Modify));
    if (QAction* add = roleButton(Role::Add))
        add->setText(idleCaption(Role::Add));
    leaveEditing(false);
}

void RecordToolbar::deleteCurrent()
{
    Recordset& rows = records();
    if (!rows.hasCurrentRow() || !m_config.deleteQuestion || changeRefused())
        return;
    if (showMessage(m_app.messages, *m_config.deleteQuestion) != MessageService::Yes)
        return;
    try {
        Transaction transaction(rows.database());
        rows.remove();
        if (m_config.deleteSteps)
            m_config.deleteSteps();
        transaction.commit();
    } catch (const std::exception& error) {
        report(m_config.deleteRefused ? m_config.deleteRefused : m_config.messages.deleteRefused(), refusalDetail(error));
        return;
    }
    // The previous row, or the new first row when the first one went.
    skippingFailure([&] {
        rows.movePrevious();
        if (rows.bof() && rows.recordCount() > 0)
            rows.moveFirst();
    });
    --m_counter;
    showCounter();
    emit deleted();
}

void RecordToolbar::refresh()
{
    skippingFailure([&] { m_config.main->refresh(); });
}

void RecordToolbar::openList()
{
    OpenFormCommand{m_app}(m_config.listForm);
}

void RecordToolbar::enterEditing(State state)
{
    for (QAction* action : std::as_const(m_buttons))
        action->setEnabled(false);
    roleButton(state == State::Adding ? Role::Add : Role::Modify)->setEnabled(true);
    if (QAction* cancelButton = roleButton(Role::Cancel))
        cancelButton->setEnabled(true);

    for (QLineEdit* box : std::as_const(m_config.entryBoxes))
        box->setReadOnly(false);
    for (QLineEdit* box : std::as_const(m_config.modifyOnlyBoxes))
        box->setReadOnly(state != State::Modifying);
    for (DataCombo* combo : std::as_const(m_config.combos))
        combo->setLocked(false);
    for (QCheckBox* box : std::as_const(m_config.checkBoxes))
        box->setEnabled(true);
    for (QWidget* button : std::as_const(m_config.handOverButtons))
        button->setEnabled(false);
    if (m_config.searchBox && state == State::Adding)
        m_config.searchBox->setReadOnly(true);

    m_moversBeforeEditing.clear();
    for (QWidget* mover : std::as_const(m_config.recordMovers)) {
        m_moversBeforeEditing.push_back({mover, mover->isEnabled()});
        mover->setEnabled(false);
    }
    if (!m_config.entryBoxes.isEmpty())
        m_config.entryBoxes.first()->setFocus();
}

void RecordToolbar::leaveEditing(bool saved)
{
    QAction* cancelButton = roleButton(Role::Cancel);
    for (QAction* action : std::as_const(m_buttons))
        if (action != cancelButton)
            action->setEnabled(true);
    if (saved && cancelButton && m_config.cancelDisabledAfterSave)
        cancelButton->setEnabled(false);

    lockRecordControls();
    if (m_config.searchBox)
        m_config.searchBox->setReadOnly(false);
    for (const auto& [mover, wasEnabled] : std::as_const(m_moversBeforeEditing))
        if (mover)
            mover->setEnabled(wasEnabled);
    m_moversBeforeEditing.clear();
}

void RecordToolbar::lockRecordControls()
{
    for (const QList<QLineEdit*>* boxes : {&m_config.entryBoxes, &m_config.keyBoxes, &m_config.modifyOnlyBoxes})
        for (QLineEdit* box : *boxes)
            box->setReadOnly(true);
    for (DataCombo* combo : std::as_const(m_config.combos))
        combo->setLocked(true);
    for (QCheckBox* box : std::as_const(m_config.checkBoxes))
        box->setEnabled(false);
    for (QWidget* button : std::as_const(m_config.handOverButtons))
        button->setEnabled(true);
}

void RecordToolbar::showCounter()
{
    if (m_config.counter)
        m_config.counter->setText(QString::number(m_counter));
}
