#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QMdiArea;
struct AppContext;

// The forms of the program by name (each form's objectName), each created at most once.
class FormRegistry {
public:
    enum class Placement { Child, TopLevel }; // a child window of the frame, or a window of its own
    using Factory = std::function<QWidget*(AppContext&)>;

    struct Entry {
        QString name;
        QString caption;
        Placement placement = Placement::TopLevel;
        Factory create;
    };

    explicit FormRegistry(AppContext& app) : m_app(app) {}

    void add(const QString& name, const QString& caption, Placement placement, Factory create);
    bool contains(const QString& name) const { return m_entries.contains(name); }
    const Entry* entry(const QString& name) const;
    QStringList names() const { return m_order; }

    // The open instance, or nullptr.
    QWidget* instance(const QString& name) const;

    // Where child windows go: the frame's workspace, created (and shown) on first need.
    void setChildHost(std::function<QMdiArea*()> host) { m_childHost = std::move(host); }
    // Where a window of its own opens when its form does not place it: told the new window before it
    // is first shown.
    void setTopLevelPlacement(std::function<void(QWidget*)> place) { m_placeTopLevel = std::move(place); }

private:
    friend class OpenFormCommand;
    QWidget* open(const QString& name);

    AppContext& m_app;
    QHash<QString, Entry> m_entries;
    QStringList m_order;
    QHash<QString, QPointer<QWidget>> m_instances;
    std::function<QMdiArea*()> m_childHost;
    std::function<void(QWidget*)> m_placeTopLevel;
};

// Opens a form by its name: created when absent, shown without a modal loop, brought forward when
// already open (its load does not run again). Returns nullptr for a form the program does not have.
class OpenFormCommand {
public:
    explicit OpenFormCommand(AppContext& app);
    QWidget* operator()(const QString& formName) const;

private:
    AppContext& m_app;
};
