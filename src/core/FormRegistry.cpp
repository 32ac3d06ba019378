#include "core/FormRegistry.h"

#include "core/AppContext.h"

#include <QMdiArea>
#include <QMdiSubWindow>

void FormRegistry::add(const QString& name, const QString& caption, Placement placement, Factory create)
{
    if (!m_entries.contains(name))
        m_order << name;
    m_entries.insert(name, Entry{name, caption, placement, std::move(create)});
}

const FormRegistry::Entry* FormRegistry::entry(const QString& name) const
{
    auto it = m_entries.constFind(name);
    return it == m_entries.constEnd() ? nullptr : &it.value();
}

QWidget* FormRegistry::instance(const QString& name) const
{
    return m_instances.value(name).data();
}

QWidget* FormRegistry::open(const QString& name)
{
    const Entry* found = entry(name);
    if (!found)
        return nullptr;

    if (QWidget* form = instance(name)) {
        QWidget* window = form->parentWidget() && qobject_cast<QMdiSubWindow*>(form->parentWidget())
            ? form->parentWidget() : form;
        window->showNormal();
        window->raise();
        window->activateWindow();
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window))
            sub->mdiArea()->setActiveSubWindow(sub);
        return form;
    }

    QWidget* form = found->create(m_app);
    form->setObjectName(name);
    form->setAttribute(Qt::WA_DeleteOnClose);
    m_instances.insert(name, form);
    QMdiArea* area = found->placement == Placement::Child && m_childHost ? m_childHost() : nullptr;
    if (area) {
        QMdiSubWindow* sub = area->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(form->windowTitle());
        sub->show();
        area->setActiveSubWindow(sub);
    } else {
        if (m_placeTopLevel && !form->testAttribute(Qt::WA_Moved))
            m_placeTopLevel(form);
        form->show();
        form->raise();
        form->activateWindow();
    }
    return form;
}

OpenFormCommand::OpenFormCommand(AppContext& app) : m_app(app) {}

QWidget* OpenFormCommand::operator()(const QString& formName) const
{
    return m_app.forms.open(formName);
}
