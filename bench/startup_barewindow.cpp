// The baseline of bench_startup: a bare Qt window of the main window's size at 100 %, nothing
// else, linked with nothing but Qt Widgets.
#include <QApplication>
#include <QWidget>

namespace {
constexpr int MainWindowWidthPixels = 645;
constexpr int MainWindowHeightPixels = 537;
} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(MainWindowWidthPixels, MainWindowHeightPixels);
    window.show();
    return application.exec();
}
