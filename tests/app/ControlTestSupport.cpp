#include "app/ControlTestSupport.h"

#include <QFile>

namespace morvek::app::test {

QString PictureFolder::WriteSvg(const QString& name, QSize size, const QString& body) const {
    QFile file(QDir(dir_.path()).filePath(name));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='%1' height='%2' viewBox='0 0 %1 %2'>%3</svg>")
                       .arg(size.width())
                       .arg(size.height())
                       .arg(body)
                       .toUtf8());
    }
    return name;
}

}  // namespace morvek::app::test
