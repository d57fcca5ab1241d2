// Reading numbers from the text boxes and writing the scroll bars' values.
#include "model/textnumber.h"
#include "tests/support/qtstrings.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

using wavywall::numberToText;
using wavywall::textToNumber;
namespace testing = wavywall::testing;

Q_DECLARE_METATYPE(std::optional<double>)

class TextNumberTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsLeadingNumber_data();
    void readsLeadingNumber();
    void readsTooSmallAsSignedZero();
    void refusesBeyondDoubleRange_data();
    void refusesBeyondDoubleRange();
    void writesShortestText_data();
    void writesShortestText();
    void writesPointUnderCommaLocale();
    void barValuesReadBackAsThemselves();
};

void TextNumberTest::readsLeadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("plain decimal") << u"1.01"_s << 1.01;
    QTest::newRow("blank then trailing letters") << u" 1.5abc"_s << 1.5;
    QTest::newRow("comma ends the number") << u"1,5"_s << 1.0;
    QTest::newRow("letters only") << u"abc"_s << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("negative") << u"-1.2"_s << -1.2;
    QTest::newRow("exponent") << u"2e1"_s << 20.0;
    QTest::newRow("plus sign, no integer digits") << u"+.5"_s << 0.5;
    QTest::newRow("trailing point") << u"5."_s << 5.0;
    QTest::newRow("lone point") << u"."_s << 0.0;
    QTest::newRow("lone minus") << u"-"_s << 0.0;
    QTest::newRow("two signs") << u"--1"_s << 0.0;
    QTest::newRow("second point stops") << u"1.2.3"_s << 1.2;
    QTest::newRow("exponent without digits") << u"1e"_s << 1.0;
    QTest::newRow("exponent sign without digits") << u"1e+"_s << 1.0;
    QTest::newRow("negative exponent") << u"1E-2"_s << 0.01;
    QTest::newRow("explicit exponent sign") << u"1.5e+3"_s << 1500.0;
    QTest::newRow("second exponent stops") << u"1e5e3"_s << 1e5;
    QTest::newRow("D is no exponent") << u"1d5"_s << 1.0;
    QTest::newRow("blanks inside") << u"1 . 5"_s << 1.5;
    QTest::newRow("blanks everywhere") << u" - 1 . 5 e 2"_s << -150.0;
    QTest::newRow("tabs and line feeds") << u"\t-\n2"_s << -2.0;
    QTest::newRow("carriage return stops") << u"1\r5"_s << 1.0;
    QTest::newRow("nan is a word") << u"nan"_s << 0.0;
    QTest::newRow("inf is a word") << u"Infinity"_s << 0.0;
    QTest::newRow("full-width digit") << u"\uFF11"_s << 1.0;
    QTest::newRow("arabic decimal separator") << u"1\u066B5"_s << 1.0;
    QTest::newRow("embedded NUL") << QString::fromUtf16(u"2\0003", 3) << 2.0;
    QTest::newRow("many leading zeros") << u"0000000000000000000000001.25"_s << 1.25;
    QTest::newRow("largest double")
        << u"1.7976931348623157e308"_s << std::numeric_limits<double>::max();
    QTest::newRow("1e308") << u"1e308"_s << 1e308;
    QTest::newRow("zero with huge exponent") << u"0e99999"_s << 0.0;
    QTest::newRow("hexadecimal") << u"&H10"_s << 16.0;
    QTest::newRow("hexadecimal, lower case") << u"&hff"_s << 255.0;
    QTest::newRow("hexadecimal is unsigned") << u"&HFFFF"_s << 65535.0;
    QTest::newRow("hexadecimal wider than 64 bits")
        << u"&HFFFFFFFFFFFFFFFFFF"_s << std::ldexp(1.0, 72);
    QTest::newRow("hexadecimal with blanks") << u" & H 1 F"_s << 31.0;
    QTest::newRow("hexadecimal stops at non-digit") << u"&H1G"_s << 1.0;
    QTest::newRow("hexadecimal without digits") << u"&H"_s << 0.0;
    QTest::newRow("hexadecimal with sign") << u"&H-1"_s << 0.0;
    QTest::newRow("octal") << u"&O17"_s << 15.0;
    QTest::newRow("octal, lower case") << u"&o777"_s << 511.0;
    QTest::newRow("octal stops at 8") << u"&O78"_s << 7.0;
    QTest::newRow("octal without digits") << u"&O9"_s << 0.0;
    QTest::newRow("octal wider than 64 bits")
        << QString(u"&O"_s + QString(30, u'7')) << std::ldexp(1.0, 90);
    QTest::newRow("ampersand alone") << u"&17"_s << 0.0;
}

void TextNumberTest::readsLeadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const std::optional<double> value = textToNumber(testing::u16(text));
    QVERIFY(value.has_value());
    QCOMPARE(*value, expected);
}

void TextNumberTest::readsTooSmallAsSignedZero() {
    const auto tiny = textToNumber(u"1e-400");
    QVERIFY(tiny && *tiny == 0 && !std::signbit(*tiny));
    const auto negativeTiny = textToNumber(u"-1e-400");
    QVERIFY(negativeTiny && *negativeTiny == 0 && std::signbit(*negativeTiny));
    const auto hugeNegativeExponent = textToNumber(u"5e-99999999999999999999999");
    QVERIFY(hugeNegativeExponent && *hugeNegativeExponent == 0);
    QCOMPARE(*textToNumber(u"4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
}

void TextNumberTest::refusesBeyondDoubleRange_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("1E999") << u"1E999"_s;
    QTest::newRow("-1E999") << u"-1E999"_s;
    QTest::newRow("just above the largest double") << u"1.8e308"_s;
    QTest::newRow("400 digits") << QString(400, u'9');
    QTest::newRow("huge exponent") << u"1e99999999999999999999999"_s;
    QTest::newRow("small mantissa, huge exponent") << u"0.000001e400"_s;
    QTest::newRow("hexadecimal of 1200 bits") << QString(u"&H"_s + QString(300, u'F'));
    QTest::newRow("octal of 1200 bits") << QString(u"&O"_s + QString(400, u'7'));
}

void TextNumberTest::refusesBeyondDoubleRange() {
    QFETCH(QString, text);
    QCOMPARE(textToNumber(testing::u16(text)), std::optional<double>());
}

void TextNumberTest::writesShortestText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1.01") << 1.01 << u"1.01"_s;
    QTest::newRow("1.5") << 1.5 << u"1.5"_s;
    QTest::newRow("whole number") << 2.0 << u"2"_s;
    QTest::newRow("0.2 with leading zero") << 0.2 << u"0.2"_s;
    QTest::newRow("0.05") << 0.05 << u"0.05"_s;
    QTest::newRow("negative") << -0.5 << u"-0.5"_s;
    QTest::newRow("zero") << 0.0 << u"0"_s;
    QTest::newRow("negative zero") << -0.0 << u"0"_s;
    QTest::newRow("small") << 0.00001 << u"1E-05"_s;
    QTest::newRow("fifteen digits") << 123456789012345.0 << u"123456789012345"_s;
    QTest::newRow("sixteen digits rounds") << 1234567890123456.0 << u"1.23456789012346E+15"_s;
    QTest::newRow("one third") << 1.0 / 3 << u"0.333333333333333"_s;
}

void TextNumberTest::writesShortestText() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(testing::qstr(numberToText(value)), expected);
}

void TextNumberTest::writesPointUnderCommaLocale() {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char *cLocale = std::setlocale(LC_ALL, "de_DE.UTF-8");
    const QString written = testing::qstr(numberToText(1.5));
    QLocale::setDefault(previous);
    if (cLocale) {
        std::setlocale(LC_ALL, "C");
    }
    QCOMPARE(written, u"1.5"_s);
    QCOMPARE(*textToNumber(testing::u16(written)), 1.5);
}

void TextNumberTest::barValuesReadBackAsThemselves() {
    for (int position = -200; position <= 200; ++position) {
        const double value = position / 100.0;
        const std::u16string text = numberToText(value);
        QVERIFY2(textToNumber(text) == value, qPrintable(testing::qstr(text)));
    }
}

QTEST_GUILESS_MAIN(TextNumberTest)
#include "tst_textnumber.moc"
