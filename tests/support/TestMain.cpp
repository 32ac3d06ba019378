#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs on an offscreen QApplication, so forms can be opened, typed into and clicked.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HALCYON LEDGER"));
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
