#include "shell/AboutDialog.h"

#include "core/AppContext.h"
#include "core/MessageService.h"
#include "shell/ProgramLauncher.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {

QFrame* line(QWidget* parent, int index)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(u"Line1(%1)"_s.arg(index));
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

} // namespace

AboutDialog::AboutDialog(AppContext& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setWindowTitle(u"ABOUT APPLICATION"_s);

    auto* icon = new QLabel(this);
    icon->setObjectName(u"picIcon"_s);
    const QIcon programIcon = QApplication::windowIcon().isNull()
        ? style()->standardIcon(QStyle::SP_ComputerIcon) : QApplication::windowIcon();
    icon->setPixmap(programIcon.pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* title = new QLabel(u"HALCYON LEDGER"_s, this);
    title->setObjectName(u"lblTitle"_s);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* description = new QLabel(u"Milk delivery management"_s, this);
    description->setObjectName(u"lblDescription"_s);
    auto* version = new QLabel(u"VISION:2002_0317"_s, this);
    version->setObjectName(u"lblVersion"_s);
    auto* testOnly = new QLabel(u"Test Only"_s, this);
    testOnly->setObjectName(u"Label3"_s);
    auto* disclaimer = new QLabel(u"Warnning: ..."_s, this);
    disclaimer->setObjectName(u"lblDisclaimer"_s);

    auto* ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"cmdOK"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* sysInfo = new QPushButton(u"INFO(&S)..."_s, this);
    sysInfo->setObjectName(u"cmdSysInfo"_s);
    connect(sysInfo, &QPushButton::clicked, this, &AboutDialog::StartSysInfo);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(description);
    texts->addWidget(version);
    texts->addWidget(testOnly);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1, Qt::AlignTop);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addLayout(top);
    layout->addWidget(line(this, 0));
    layout->addWidget(line(this, 1));
    layout->addLayout(bottom);
    setMinimumWidth(420);
}

void AboutDialog::StartSysInfo()
{
    // A dedicated system-information program first; else the desktop's system monitor.
    static const QStringList systemInformation{u"hardinfo2"_s, u"hardinfo"_s, u"kinfocenter"_s};
    static const QStringList systemMonitor{u"gnome-system-monitor"_s, u"plasma-systemmonitor"_s,
                                           u"mate-system-monitor"_s, u"xfce4-taskmanager"_s};
    if (ProgramLauncher::startFirstFound(systemInformation) || ProgramLauncher::startFirstFound(systemMonitor))
        return;
    m_app.messages.msgBox(u"目前無法提供系統資訊"_s, MessageService::OkOnly, MessageService::ProgramTitle);
}
