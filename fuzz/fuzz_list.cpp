// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the list reader: the parser on the raw bytes, then the whole
// loading sequence through a bundle folder, with the record rules checked on both.

#include "articlelist/ListLoader.h"
#include "articlelist/ListReader.h"
#include "kit/foundation/Bundle.h"

#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

using articlelist::ListReader;
using articlelist::Record;

namespace {

const QString errorPrefix = QStringLiteral("Error while parsing file ");

QTemporaryDir* bundleDir = nullptr;
QString listPath;

int errorLines = 0;
QString lastErrorLine;

// Silent, so the fuzzer runs at full speed; the loader's one line is still counted.
void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtInfoMsg && message.startsWith(errorPrefix)) {
        ++errorLines;
        lastErrorLine = message;
    }
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "fuzz_list: invariant broken: %s\n", what);
    std::abort();
}

void require(bool condition, const char* what)
{
    if (!condition)
        fail(what);
}

// What the header promises of every record, however the bytes were formed.
void checkRecords(const QList<Record>& records)
{
    for (const Record& record : records) {
        for (auto it = record.cbegin(); it != record.cend(); ++it) {
            require(!it.key().isEmpty(), "a field without a name");
            require(it.key() != QLatin1String("Cell"), "a field named Cell");
            require(!it.value().isEmpty(), "an empty field kept as a key");
            // decode turns every bracket into an angle bracket.
            require(!it.value().contains(QLatin1Char('[')) &&
                        !it.value().contains(QLatin1Char(']')),
                    "a bracket left in a value");
        }
    }
}

void writeList(const uint8_t* data, size_t size)
{
    QFile file(listPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail("cannot write the list file");
    if (file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        fail("short write of the list file");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // No QCoreApplication: with the bundle path set explicitly nothing asks for
    // the application's directory, and the reader needs no event loop.
    qInstallMessageHandler(quietHandler);
    bundleDir = new QTemporaryDir();
    if (!bundleDir->isValid())
        fail("no temporary folder");
    kit::Bundle::setMainBundlePath(bundleDir->path());
    listPath = bundleDir->filePath(QStringLiteral("Content.xml"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    ListReader raw(bytes);
    const bool rawParsed = raw.read();
    checkRecords(raw.records());

    // Escaping round trip, for text where decode has nothing else to undo.
    const QString latin = QString::fromLatin1(bytes);
    if (!latin.contains(QLatin1Char('[')) && !latin.contains(QLatin1Char(']')) &&
        !latin.contains(QLatin1String("%26")))
        require(ListReader::decode(ListReader::encode(latin)) == latin, "decode(encode(x)) != x");

    writeList(data, size);
    errorLines = 0;
    const std::unique_ptr<ListReader> loaded =
        articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
    require(loaded != nullptr, "loadList gave no reader");
    checkRecords(loaded->records());
    require(errorLines <= 1, "more than one error line for one load");
    if (errorLines == 1)
        require(lastErrorLine == errorPrefix + listPath + QLatin1Char('.'),
                "error line names another path");

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError() || size == 0) {
        // Nothing readable: no records, one line.
        require(loaded->records().isEmpty(), "records from unreadable bytes");
        require(errorLines == 1, "no error line for unreadable bytes");
    } else if (!bytes.contains('&') && !bytes.startsWith("\xef\xbb\xbf")) {
        // The loader hands the parser the very same bytes: same records, and a line
        // exactly when the parse failed.
        require(loaded->records() == raw.records(), "loader and parser disagree");
        require((errorLines == 1) == !rawParsed, "error line does not match the parse result");
    }
    return 0;
}
