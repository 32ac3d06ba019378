#include "sheets/DesktopOpen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void openOnDesktop(const QString& file, const QObject* context, const std::function<void()>& notOpened)
{
    // Qt's own opening starts xdg-open and forgets it, so a failure would pass unseen.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
            notOpened();
        return;
    }
    auto* process = new QProcess(QCoreApplication::instance());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::finished, context, [notOpened](int status, QProcess::ExitStatus how) {
        if (how != QProcess::NormalExit || status != 0)
            notOpened();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, context, [notOpened](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            notOpened();
    });
    process->start(opener, {file});
}
