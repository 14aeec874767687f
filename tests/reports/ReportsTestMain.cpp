// Report tests lay text out with real fonts, which need the application
// object; they run under the offscreen platform.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
