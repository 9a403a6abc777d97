// Prints the text of the X clipboard to stdout. The end-to-end tests use it to
// read what they copied out of the program's windows.

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    // Asked from inside the event loop, so the owner's answer can come in.
    QTimer::singleShot(0, &app, [&app] {
        const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        app.quit();
    });
    return app.exec();
}
