// Writes the help page into the program folder at build time:
// makehelp <path of the template help.html> <path of help.htm>.
#include <QFile>
#include <cstdio>

#include "helppage.h"
#include "wordtables.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: makehelp <path of help.html> <path of help.htm>\n", stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makehelp: cannot read %s\n", argv[1]);
        return 1;
    }
    std::size_t entries = 0;
    for (const sonabet::WordGroup& group : sonabet::wordGroups()) {
        entries += group.size();
    }
    const QByteArray page = shell::helpPageHtml(QString::fromUtf8(in.readAll()), entries).toUtf8();
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(page) != page.size() ||
        !out.flush()) {
        std::fprintf(stderr, "makehelp: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
