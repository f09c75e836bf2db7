// Runs a fuzz target over the inputs in the files and folders named on the
// command line, so that the seed corpus and every input that once failed are
// checked in each build, with the build's own compiler.

#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char *argv[])
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString place = QString::fromLocal8Bit(argv[i]);
        QStringList inputs{place};
        if (QFileInfo(place).isDir()) {
            inputs.clear();
            for (const QString &name : QDir(place).entryList(QDir::Files, QDir::Name))
                inputs.append(place + '/' + name);
        }
        for (const QString &input : inputs) {
            QFile file(input);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            std::printf("replaying %s\n", qPrintable(input));
            std::fflush(stdout);
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                   std::size_t(bytes.size()));
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    // A replay that finds no input checks nothing.
    return replayed > 0 ? 0 : 1;
}
