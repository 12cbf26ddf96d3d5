// Writes the help page into the program folder at build time: makehelp <path of help.htm>.
#include <QFile>
#include <cstdio>

#include "helppage.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: makehelp <path of help.htm>\n", stderr);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "makehelp: cannot write %s\n", argv[1]);
        return 1;
    }
    const QByteArray page = shell::helpPageHtml().toUtf8();
    if (file.write(page) != page.size() || !file.flush()) {
        std::fprintf(stderr, "makehelp: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
