// orvane-icon: draws the application icon into PNG files at build time.
// Usage: orvane-icon SIZE FILE [SIZE FILE ...]
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

#include "ui/qt/piecepictures.h"

int main(int argc, char* argv[]) {
    // Drawing needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: orvane-icon SIZE FILE [SIZE FILE ...]\n");
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 16 || size > 1024) {
            std::fprintf(stderr, "orvane-icon: bad size %s\n", argv[i]);
            return 2;
        }
        if (!orvane::ui::qt::RenderApplicationIcon(size).save(QString::fromLocal8Bit(argv[i + 1]), "PNG")) {
            std::fprintf(stderr, "orvane-icon: cannot write %s\n", argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
