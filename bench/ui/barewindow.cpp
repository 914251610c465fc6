// barewindow: the floor of the start-up benchmark. A plain Qt Widgets window of 336 by 230 pixels
// that prints "first-paint" on its first paint and then quits, as startupprobe does.

#include <QApplication>
#include <QPaintEvent>
#include <QWidget>

#include <cstdio>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        if (reported_)
            return;
        reported_ = true;
        std::printf("first-paint\n");
        std::fflush(stdout);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    }

private:
    bool reported_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("barewindow"));
    window.resize(336, 230);
    window.show();
    return application.exec();
}
