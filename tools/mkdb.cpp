// Makes a new, empty database of the program with its first rows. An existing file is kept.
#include "connection.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mkdb <database file>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path)) {
        std::printf("kept existing %s\n", argv[1]);
        return 0;
    }
    QString error;
    if (!createDatabase(path, &error)) {
        std::fprintf(stderr, "mkdb: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("created %s\n", argv[1]);
    return 0;
}
