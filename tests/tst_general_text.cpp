#include "common/general_text.h"

#include <QTest>
#include <limits>

using namespace General;

namespace {
constexpr int intMin = std::numeric_limits<int>::min();
constexpr int intMax = std::numeric_limits<int>::max();
} // namespace

class TestGeneralText : public QObject {
    Q_OBJECT

private:
    // Shared columns of the cut routines: text, the one int argument, the expected piece.
    static void addCutColumns() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("argument");
        QTest::addColumn<QString>("expected");
    }

private slots:
    void copyText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");

        QTest::newRow("start 0 counts as 1") << "pqrstu" << 0 << 3 << "pqr";
        QTest::newRow("negative start counts as 1") << "pqrstu" << -5 << 3 << "pqr";
        QTest::newRow("count is not reduced for a low start") << "pqrstu" << 0 << 6 << "pqrstu";
        QTest::newRow("count past the end is cut") << "pqrstu" << 5 << 10 << "tu";
        QTest::newRow("start just past the end") << "pqrstu" << 7 << 1 << "";
        QTest::newRow("negative count") << "pqrstu" << 2 << -1 << "";
        QTest::newRow("count 0") << "pqrstu" << 2 << 0 << "";
        QTest::newRow("empty text") << "" << 1 << 5 << "";
        QTest::newRow("start 1, count exactly the length") << "pqrstu" << 1 << 6 << "pqrstu";
        QTest::newRow("start 1, count one short") << "pqrstu" << 1 << 5 << "pqrst";
        QTest::newRow("inner piece") << "pqrstu" << 2 << 3 << "qrs";
        QTest::newRow("last character") << "pqrstu" << 6 << 1 << "u";
        QTest::newRow("last character, count to the end") << "pqrstu" << 6 << 1000 << "u";
        QTest::newRow("start INT_MIN") << "pqrstu" << intMin << 3 << "pqr";
        QTest::newRow("start INT_MIN, count INT_MAX") << "pqrstu" << intMin << intMax << "pqrstu";
        QTest::newRow("start INT_MAX") << "pqrstu" << intMax << intMax << "";
        QTest::newRow("count INT_MAX from the middle") << "pqrstu" << 2 << intMax << "qrstu";
        QTest::newRow("count INT_MIN") << "pqrstu" << 1 << intMin << "";
        QTest::newRow("start INT_MAX on empty text") << "" << intMax << intMax << "";
    }
    void copyText() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QCOMPARE(CopyText(text, start, count), expected);
    }

    void takeLeft_data() {
        addCutColumns();
        QTest::newRow("more than the length") << "pqr" << 5 << "pqr";
        QTest::newRow("exactly the length") << "pqr" << 3 << "pqr";
        QTest::newRow("one") << "pqr" << 1 << "p";
        QTest::newRow("zero") << "pqr" << 0 << "";
        QTest::newRow("negative") << "pqr" << -2 << "";
        QTest::newRow("INT_MAX") << "pqr" << intMax << "pqr";
        QTest::newRow("INT_MIN") << "pqr" << intMin << "";
        QTest::newRow("empty text") << "" << 3 << "";
    }
    void takeLeft() {
        QFETCH(QString, text);
        QFETCH(int, argument);
        QFETCH(QString, expected);
        QCOMPARE(TakeLeft(text, argument), expected);
    }

    void takeRight_data() {
        addCutColumns();
        QTest::newRow("two") << "pqrstu" << 2 << "tu";
        QTest::newRow("one") << "pqr" << 1 << "r";
        QTest::newRow("more than the length") << "pqr" << 9 << "pqr";
        QTest::newRow("exactly the length") << "pqr" << 3 << "pqr";
        QTest::newRow("zero") << "pqr" << 0 << "";
        QTest::newRow("negative") << "pqr" << -1 << "";
        QTest::newRow("INT_MAX") << "pqr" << intMax << "pqr";
        QTest::newRow("INT_MIN") << "pqr" << intMin << "";
        QTest::newRow("empty text") << "" << 2 << "";
    }
    void takeRight() {
        QFETCH(QString, text);
        QFETCH(int, argument);
        QFETCH(QString, expected);
        QCOMPARE(TakeRight(text, argument), expected);
    }

    void takeFrom_data() {
        addCutColumns();
        QTest::newRow("inner start") << "pqrstu" << 3 << "rstu";
        QTest::newRow("start 1") << "pqrstu" << 1 << "pqrstu";
        QTest::newRow("start 0") << "pqrstu" << 0 << "pqrstu";
        QTest::newRow("negative start") << "pqrstu" << -4 << "pqrstu";
        QTest::newRow("last position") << "pqrstu" << 6 << "u";
        QTest::newRow("just past the end") << "pqrstu" << 7 << "";
        QTest::newRow("INT_MIN") << "pqrstu" << intMin << "pqrstu";
        QTest::newRow("INT_MAX") << "pqrstu" << intMax << "";
        QTest::newRow("empty text") << "" << 1 << "";
    }
    void takeFrom() {
        QFETCH(QString, text);
        QFETCH(int, argument);
        QFETCH(QString, expected);
        QCOMPARE(TakeFrom(text, argument), expected);
    }

    void reverseText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("one character") << "p"
                                       << "p";
        QTest::newRow("several") << "pqr s"
                                 << "s rqp";
    }
    void reverseText() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(ReverseText(text), expected);
    }

    void firstPos_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty part") << ""
                                    << "pqr" << 0;
        QTest::newRow("empty text") << "p"
                                    << "" << 0;
        QTest::newRow("both empty") << ""
                                    << "" << 0;
        QTest::newRow("case differs") << "Q"
                                      << "pqr" << 0;
        QTest::newRow("part longer than text") << "pqrs"
                                               << "pqr" << 0;
        QTest::newRow("at the start") << "pq"
                                      << "pqr" << 1;
        QTest::newRow("at the end") << "r"
                                    << "pqr" << 3;
        QTest::newRow("whole text") << "pqr"
                                    << "pqr" << 1;
        QTest::newRow("first of two") << "ab"
                                      << "xabab" << 2;
    }
    void firstPos() {
        QFETCH(QString, part);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(FirstPos(part, text), expected);
    }

    void lastPos_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("second of two") << "xy"
                                       << "axyaxy" << 5;
        QTest::newRow("overlapping occurrences") << "aa"
                                                 << "aaa" << 2;
        QTest::newRow("not found") << "q"
                                   << "xyz" << 0;
        QTest::newRow("trailing backslash of a share") << "\\"
                                                       << "\\\\host\\share\\" << 13;
        QTest::newRow("only occurrence at the start") << "pq"
                                                      << "pqrr" << 1;
        QTest::newRow("whole text") << "pqr"
                                    << "pqr" << 1;
        QTest::newRow("case differs") << "A"
                                      << "aaa" << 0;
        QTest::newRow("empty part") << ""
                                    << "pqr" << 0;
        QTest::newRow("empty text") << "p"
                                    << "" << 0;
        QTest::newRow("part longer than text") << "pqrs"
                                               << "pqr" << 0;
    }
    void lastPos() {
        QFETCH(QString, part);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(LastPos(part, text), expected);
    }

    void replaceAllText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("every backslash") << "d:\\data\\x.fdb"
                                         << "\\"
                                         << "/"
                                         << "d:/data/x.fdb";
        QTest::newRow("left to right, no overlap") << "aaa"
                                                   << "aa"
                                                   << "x"
                                                   << "xa";
        QTest::newRow("empty find") << "pqr"
                                    << ""
                                    << "x"
                                    << "pqr";
        QTest::newRow("replacement contains find") << "pq"
                                                   << "p"
                                                   << "pp"
                                                   << "ppq";
        QTest::newRow("adjacent occurrences") << "xyxy"
                                              << "xy"
                                              << "-"
                                              << "--";
        QTest::newRow("occurrence at the end") << "abcd"
                                               << "cd"
                                               << "Z"
                                               << "abZ";
        QTest::newRow("empty replacement") << "aXbXc"
                                           << "X"
                                           << ""
                                           << "abc";
        QTest::newRow("whole text") << "abc"
                                    << "abc"
                                    << ""
                                    << "";
        QTest::newRow("case differs") << "Pq"
                                      << "p"
                                      << "x"
                                      << "Pq";
        QTest::newRow("find longer than text") << "pq"
                                               << "pqr"
                                               << "x"
                                               << "pq";
        QTest::newRow("empty text") << ""
                                    << "a"
                                    << "x"
                                    << "";
        QTest::newRow("single quotes doubled") << "O'Neil's"
                                               << "'"
                                               << "''"
                                               << "O''Neil''s";
    }
    void replaceAllText() {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceAllText(text, find, replacement), expected);
    }

    void capitalizeWords_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("upper-case words") << "RED APPLE"
                                          << "Red Apple";
        QTest::newRow("column caption") << "TCH NAME"
                                        << "Tch Name";
        QTest::newRow("mixed case") << "hELLO wORLD"
                                    << "Hello World";
        QTest::newRow("signs inside a word") << "p-q/r(s"
                                             << "P-Q/R(S";
        QTest::newRow("digit") << "x1y"
                               << "X1y";
        QTest::newRow("closing parenthesis") << "x)y"
                                             << "X)y";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("leading sign") << "(abc"
                                      << "(Abc";
        QTest::newRow("run of signs") << "a - b"
                                      << "A - B";
        QTest::newRow("non-ASCII letters unchanged") << QStringLiteral(u"ÑANDÚ ñandú ÉCOLE straße")
                                                     << QStringLiteral(u"ÑandÚ ñandú École Straße");
        QTest::newRow("non-ASCII letter takes the word start")
            << QStringLiteral(u"x éa") << QStringLiteral(u"X éa");
        QTest::newRow("Greek and Cyrillic unchanged")
            << QStringLiteral(u"αβγ ΔΕΖ жук") << QStringLiteral(u"αβγ ΔΕΖ жук");

        // Each word-start sign starts a new word ...
        for (const QChar sign : QStringLiteral(" ,.;:-!?/{([<")) {
            QTest::addRow("after sign '%c'", sign.toLatin1())
                << QStringLiteral("x%1y").arg(sign) << QStringLiteral("X%1Y").arg(sign);
        }
        // ... and nothing else does: the letter after these is put in lower case.
        for (const QChar other : QStringLiteral("\t'\"0)]}>_&\\|*")) {
            QTest::addRow("after non-sign 0x%02x", other.unicode())
                << QStringLiteral("x%1Y").arg(other) << QStringLiteral("X%1y").arg(other);
        }
    }
    void capitalizeWords() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CapitalizeWords(text), expected);
    }

    void chooseText_data() {
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QString>("expected");
        QTest::newRow("set") << true << "x";
        QTest::newRow("clear") << false << "";
    }
    void chooseText() {
        QFETCH(bool, flag);
        QFETCH(QString, expected);
        QCOMPARE(ChooseText(flag, QStringLiteral("x"), QString()), expected);
    }

    void bitIsSet_data() {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<int>("bit");
        QTest::addColumn<bool>("expected");
        QTest::newRow("5, bit 0") << 5 << 0 << true;
        QTest::newRow("5, bit 1") << 5 << 1 << false;
        QTest::newRow("5, bit 2") << 5 << 2 << true;
        QTest::newRow("8, bit 35 is bit 3") << 8 << 35 << true;
        QTest::newRow("8, bit 36 is bit 4") << 8 << 36 << false;
        QTest::newRow("0, bit 0") << 0 << 0 << false;
        QTest::newRow("-1, bit 31") << -1 << 31 << true;
        QTest::newRow("-1, bit 255") << -1 << 255 << true;
        QTest::newRow("-2, bit 0") << -2 << 0 << false;
        QTest::newRow("-2, bit 1") << -2 << 1 << true;
        QTest::newRow("INT_MIN, bit 31") << intMin << 31 << true;
        QTest::newRow("INT_MIN, bit 30") << intMin << 30 << false;
        QTest::newRow("INT_MIN, bit 0") << intMin << 0 << false;
        QTest::newRow("INT_MAX, bit 31") << intMax << 31 << false;
        QTest::newRow("INT_MAX, bit 30") << intMax << 30 << true;
        QTest::newRow("1, bit 32 is bit 0") << 1 << 32 << true;
        QTest::newRow("2, bit 32 is bit 0") << 2 << 32 << false;
        QTest::newRow("INT_MIN, bit 63 is bit 31") << intMin << 63 << true;
        QTest::newRow("1, bit 63 is bit 31") << 1 << 63 << false;
        QTest::newRow("INT_MIN, bit 255 is bit 31") << intMin << 255 << true;
        QTest::newRow("1, bit 255 is bit 31") << 1 << 255 << false;
    }
    void bitIsSet() {
        QFETCH(qint32, value);
        QFETCH(int, bit);
        QFETCH(bool, expected);
        QCOMPARE(BitIsSet(value, quint8(bit)), expected);
    }
};

QTEST_APPLESS_MAIN(TestGeneralText)
#include "tst_general_text.moc"
