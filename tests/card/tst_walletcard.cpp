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
    store.set(record::OWN_ILLNESS, QStringLiteral("Сахарный диабет 1 типа\nАстма"));
    store.set(record::OWN_NOTE, QStringLiteral("Кардиостимулятор — не делать МРТ"));
    store.set(record::OWN_ADDRESS, QStringLiteral("Москва, ул. Ленина, д. 1"));
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
        // What a crew needs first, then the rest; a value's line breaks become commas.
        QCOMPARE(record::walletQrText(card).split(QLatin1Char('\n')),
                 (QStringList{QStringLiteral("МЕДИЦИНСКАЯ КАРТА / ICE"),
                              QStringLiteral("Иванова Мария Сергеевна"),
                              QStringLiteral("Группа крови: II группа / Rh+"),
                              QStringLiteral("Аллергии: Пенициллин (отёк Квинке)"),
                              QStringLiteral("Экстренные контакты:"),
                              QStringLiteral("Сергей Иванов, муж, +7 (921) 555-12-34"),
                              QStringLiteral("112"),
                              QStringLiteral("Заболевания: Сахарный диабет 1 типа, Астма"),
                              QStringLiteral("Заметки: Кардиостимулятор — не делать МРТ"),
                              QStringLiteral("Дата рождения: 12 марта 1985 г."),
                              QStringLiteral("Домашний адрес: Москва, ул. Ленина, д. 1")}));
        const record::WalletQr qr = record::walletQr(card);
        QVERIFY(qr.whole);
        QCOMPARE(qr.caption(), QStringLiteral("Вся карта в QR-коде"));
    }

    void aCardTooLongForTheCodeKeepsWhatACrewNeedsWhole()
    {
        TestStore store;
        fillCard(store);
        store.set(record::OWN_MEDICINE, QStringLiteral("Инсулин гларгин 20 ЕД вечером"));
        store.set(
            record::OWN_NOTE,
            QStringLiteral("Очень длинная заметка о прошлых операциях. ").repeated(40).trimmed());
        const record::WalletQr qr = record::walletQr(record::storedWalletCard());
        QVERIFY(!qr.whole);
        QCOMPARE(qr.caption(), QStringLiteral("В QR-коде главное, остальное сокращено"));
        QVERIFY(qr.code.side > 0 && qr.code.side <= 17 + 4 * record::maximumQrVersion);
        const QStringList lines = qr.text.split(QLatin1Char('\n'));
        // The vital lines whole, in order, then the illnesses; the note cut after a word.
        QCOMPARE(lines.mid(0, 8),
                 (QStringList{QStringLiteral("МЕДИЦИНСКАЯ КАРТА / ICE"),
                              QStringLiteral("Иванова Мария Сергеевна"),
                              QStringLiteral("Группа крови: II группа / Rh+"),
                              QStringLiteral("Аллергии: Пенициллин (отёк Квинке)"),
                              QStringLiteral("Лекарства: Инсулин гларгин 20 ЕД вечером"),
                              QStringLiteral("Экстренные контакты:"),
                              QStringLiteral("Сергей Иванов, муж, +7 (921) 555-12-34"),
                              QStringLiteral("Заболевания: Сахарный диабет 1 типа, Астма")}));
        QCOMPARE(lines.size(), 9);
        QVERIFY(lines[8].startsWith(QStringLiteral("Заметки: Очень длинная заметка")));
        QVERIFY(lines[8].endsWith(QStringLiteral("…")));
        // Cut after a whole word: what is kept stands in the note as it was, a word's end.
        const QString kept = lines[8].mid(9).chopped(1);
        const QString note =
            QStringLiteral("Очень длинная заметка о прошлых операциях. ").repeated(40);
        QVERIFY(note.startsWith(kept));
        QVERIFY(!note.at(kept.size()).isLetterOrNumber());
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
        // Version 24 is 113 modules a side; the largest the card prints.
        QCOMPARE(cut.side, 17 + 4 * record::maximumQrVersion);
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
        // The notes are printed too; the illnesses' lines joined by a comma.
        QVERIFY(words.contains(QStringLiteral("Кардиостимулятор")));
        QVERIFY(words.simplified().contains(QStringLiteral("1 типа, Астма")));
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
