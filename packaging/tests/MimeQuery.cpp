// Prints the MIME type and its comment that the desktop's database gives a
// file name (by its name only), as the file manager and file dialogs see it.
#include <cstdio>

#include <QCoreApplication>
#include <QLocale>
#include <QMimeDatabase>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILENAME LOCALE\n", argv[0]);
        return 2;
    }
    QLocale::setDefault(QLocale(QString::fromLocal8Bit(argv[2])));
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromLocal8Bit(argv[1]),
                                                           QMimeDatabase::MatchExtension);
    std::printf("%s\n%s\n", type.name().toUtf8().constData(), type.comment().toUtf8().constData());
    return 0;
}
