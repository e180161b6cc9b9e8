// Run while the program is built: writes the program's picture as the PNG files of an icon theme,
// OUTPUT/<size>x<size>/apps/<name>.png, one for each size given, drawn by the code that draws the
// tray icon so that the menu, the launcher and the tray show the same picture.
//   lisotra_draw_icons OUTPUT NAME SIZE...
//   lisotra_draw_icons --tray-source FILE.cpp   the tray icon's pixels as C++ data, so that the
//                                               Linux program shows its icon without drawing it
#include <QDir>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "info/program_icons.h"

namespace {
int WriteTraySource(const char* path) {
    const os::IconImage image = program_icons::TrayIcon().front();
    std::ofstream out(path);
    out << "// Drawn while the program was built by tools/draw_icons.cpp.\n#include \"platform/qt/stored_icons.h\"\n\n"
        << "namespace os::qt {\nconst int kStoredTrayIconSize = " << image.width << ";\n"
        << "const std::uint32_t kStoredTrayIcon[] = {";
    for (size_t i = 0; i < image.argb.size(); ++i) out << (i % 8 ? " " : "\n    ") << image.argb[i] << "u,";
    out << "\n};\n}  // namespace os::qt\n";
    if (image.width != image.height || out.fail()) {
        std::fprintf(stderr, "lisotra_draw_icons: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--tray-source") == 0) return WriteTraySource(argv[2]);
    if (argc < 4) {
        std::fprintf(stderr, "usage: lisotra_draw_icons OUTPUT NAME SIZE...\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]), name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1 || size > 1024) {
            std::fprintf(stderr, "lisotra_draw_icons: no icon size %s\n", argv[i]);
            return 2;
        }
        const os::IconImage picture = program_icons::ProgramIcon(size);
        QImage image(size, size, QImage::Format_ARGB32);  // the same 0xAARRGGBB, straight alpha
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) image.setPixel(x, y, picture.argb[static_cast<size_t>(y * size + x)]);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
        if (!QDir().mkpath(folder) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "lisotra_draw_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
