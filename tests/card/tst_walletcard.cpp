// SPDX-License-Identifier: GPL-3.0-or-later
// The wallet card: what it holds, the QR code that holds it all, and the PDF that
// firstaid --export-card writes, read back with the tools a printer's user would have
// (pdftotext, pdftoppm, zbarimg).

#include "TestSupport.h"

#include "kit/foundation/UserDefaults.h"
#include "record/PersonalRecord.h"
#include "record/WalletCard.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

Run run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

bool haveTools()
{
    for (const char* tool : {"pdftotext", "pdftoppm", "zbarimg"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

void fillCard(TestStore& store)
{
    store.set(record::OWN_NAME, QStringLiteral("Иванова Мария Сергеевна"));
    store.set(record::OWN_BIRTHDAY, QStringLiteral("12 марта 1985 г."));
    store.set(record::OWN_BLOOD, QStringLiteral("II группа / Rh+"));
    store.set(record::OWN_ALLERGY, QStringLiteral("Пенициллин (отёк Квинке)"));
    store.set(record::OWN_ILLNESS, QStringLiteral("Сахарный диабет 1 типа"));
    store.set(record::contactKey(0, "NAME"), QStringLiteral("Сергей Иванов"));
    store.set(record::contactKey(0, "WHO"), QStringLiteral("муж"));
    store.set(record::contactKey(0, "PHONE"), QStringLiteral("+7 (921) 555-12-34"));
}

} // namespace

class TestWalletCard final : public QObject {
    Q_OBJECT

private slots:
    void qrTextHasOneLinePerFilledFieldAndNoEmptyCaptions()
    {
        TestStore store;
        fillCard(store);
        // A contact with a number only, and a blank one between.
        store.set(record::contactKey(2, "PHONE"), QStringLiteral("112"));
        const record::WalletCard card = record::storedWalletCard();
        QCOMPARE(card.contacts.size(), size_t(2));
        QCOMPARE(record::walletQrText(card).split(QLatin1Char('\n')),
                 (QStringList{QStringLiteral("МЕДИЦИНСКАЯ КАРТА / ICE"),
                              QStringLiteral("Иванова Мария Сергеевна"),
                              QStringLiteral("Дата рождения: 12 марта 1985 г."),
                              QStringLiteral("Группа крови: II группа / Rh+"),
                              QStringLiteral("Аллергии: Пенициллин (отёк Квинке)"),
                              QStringLiteral("Заболевания: Сахарный диабет 1 типа"),
                              QStringLiteral("Экстренные контакты:"),
                              QStringLiteral("Сергей Иванов, муж, +7 (921) 555-12-34"),
                              QStringLiteral("112")}));
    }

    void aTextTooLongForAReadableCodeIsCutWithAnEllipsis()
    {
        const QString shortText = QStringLiteral("Аллергия на пенициллин");
        const record::QrCode whole = record::encodeQr(shortText);
        QVERIFY(whole.side > 0);
        QVERIFY(!whole.cut);
        const record::QrCode cut =
            record::encodeQr(QStringLiteral("Очень длинная заметка. ").repeated(400));
        QVERIFY(cut.cut);
        // Version 20 is 97 modules a side; the largest the card prints.
        QVERIFY(cut.side > 0 && cut.side <= 17 + 4 * record::maximumQrVersion);
    }

    void exportedPdfReadsBackAndItsCodeDecodesToTheCard()
    {
        QVERIFY2(haveTools(),
                 "pdftotext, pdftoppm or zbarimg is missing (scripts/install-deps installs them)");
        TestStore store;
        fillCard(store);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("карта.pdf"));
        const Run exported =
            run(QStringLiteral(FIRSTAID_EXECUTABLE),
                {QStringLiteral("--defaults"), store.path(), QStringLiteral("--export-card"), pdf});
        QCOMPARE(exported.exitCode, 0);
        // Medical data: the owner's only.
        QCOMPARE(QFileInfo(pdf).permissions() &
                     (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());

        const Run text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QCOMPARE(text.exitCode, 0);
        const QString words = QString::fromUtf8(text.output);
        QVERIFY(words.contains(QStringLiteral("Иванова Мария Сергеевна")));
        QVERIFY(words.contains(QStringLiteral("Группа крови: II группа / Rh+")));
        QVERIFY(words.contains(QStringLiteral("+7 (921) 555-12-34")));
        // Nothing stored for the medicines: no caption for them either.
        QVERIFY(!words.contains(QStringLiteral("Лекарства")));

        const QString page = dir.filePath(QStringLiteral("page"));
        QCOMPARE(run(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), pdf, page})
                     .exitCode,
                 0);
        const Run code = run(QStringLiteral("zbarimg"),
                             {QStringLiteral("--raw"), QStringLiteral("-q"), page + ".png"});
        QCOMPARE(code.exitCode, 0);
        QCOMPARE(QString::fromUtf8(code.output).trimmed(),
                 record::walletQrText(record::storedWalletCard()));
    }

    void anUnwritablePlaceEndsWithStatusOneAndSaysWhy()
    {
        TestStore store;
        const Run exported =
            run(QStringLiteral(FIRSTAID_EXECUTABLE),
                {QStringLiteral("--defaults"), store.path(), QStringLiteral("--export-card"),
                 QStringLiteral("/nonexistent-folder/card.pdf")});
        QCOMPARE(exported.exitCode, 1);
        QVERIFY(exported.errors.contains("could not write /nonexistent-folder/card.pdf"));
    }
};

FIRSTAID_TEST_MAIN(TestWalletCard)

#include "tst_walletcard.moc"
