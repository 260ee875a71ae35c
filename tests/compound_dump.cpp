// compound_dump FILE [STREAM]: the stream ("Workbook" by default) of the compound file as the
// workbook reader takes it out, to standard output. Exit status: 0 with the stream's bytes; 2 the
// compound file refused, 3 no such stream, 4 the stream damaged; 1 the file not read.
#include <QFile>

#include <cstdio>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tables/compoundfile.h"

int main(int argc, char** argv) {
    if (argc < 2) return 1;
    QFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) return 1;
    const QByteArray bytes = file.readAll();
    vardo::tables::CompoundFile compound;
    if (!compound.open(bytes)) return 2;
    QByteArray data;
    using Stream = vardo::tables::CompoundFile::Stream;
    const Stream found =
        compound.read(argc > 2 ? QString::fromUtf8(argv[2]) : QStringLiteral("Workbook"), &data);
    if (found != Stream::Read) return found == Stream::Absent ? 3 : 4;
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the bytes as they are, no CR before each LF
#endif
    const size_t size = size_t(data.size());
    return std::fwrite(data.constData(), 1, size, stdout) == size ? 0 : 1;
}
