// Writes the desktop's icons from the program's own picture: PNG files at
// every size of the hicolor theme and a scalable SVG, for the program and for
// sheet files, laid out as the theme's folders under the given folder.
#include <cstdio>
#include <functional>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include "res/AppIconPicture.h"

namespace {

bool Write(const QString& root, const QString& size, const char* context, const QString& name,
           const QString& ext, const std::function<bool(const QString&)>& save) {
    const QString dir = QStringLiteral("%1/hicolor/%2/%3").arg(root, size, QLatin1String(context));
    if (!QDir().mkpath(dir))
        return false;
    return save(dir + QChar('/') + name + ext);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUTDIR APP-ICON-NAME MIME-ICON-NAME\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const struct {
        IconKind kind;
        const char* context;
        QString name;
    } icons[] = {
        {IconKind::Program, "apps", QString::fromLocal8Bit(argv[2])},
        {IconKind::SheetFile, "mimetypes", QString::fromLocal8Bit(argv[3])},
    };
    for (const auto& icon : icons) {
        for (int px : {16, 24, 32, 48, 64, 128, 256}) {
            const QImage image = DrawIconPicture(icon.kind, px);
            if (!Write(root, QStringLiteral("%1x%1").arg(px), icon.context, icon.name,
                       QStringLiteral(".png"),
                       [&](const QString& path) { return image.save(path, "PNG"); }))
                return 1;
        }
        const QByteArray svg = IconPictureSvg(icon.kind).toUtf8();
        if (!Write(root, QStringLiteral("scalable"), icon.context, icon.name,
                   QStringLiteral(".svg"), [&](const QString& path) {
                       QFile f(path);
                       return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                              f.write(svg) == svg.size();
                   }))
            return 1;
    }
    return 0;
}
