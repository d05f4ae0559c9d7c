// The pieces of the terminal protocol that are pure computation: checksums, the terminal's
// time encoding, the communication-key proof, TCP framing and the checks on downloaded data.

#include "platform/errors.h"
#include "terminal/network/attendance_log.h"
#include "terminal/network/byte_order.h"
#include "terminal/network/comm_key.h"
#include "terminal/network/packet.h"
#include "terminal/network/tcp_frame.h"
#include "terminal/network/terminal_time.h"

#include <QTest>

using namespace terminal::network;

class TerminalProtocolTest : public QObject {
    Q_OBJECT

private slots:
    void checksumMatchesTheCheckValues_data() {
        QTest::addColumn<QByteArray>("packet");
        QTest::addColumn<quint16>("checksum");
        QTest::newRow("get version request") << QByteArray::fromHex("0b000000f38d0300"
                                                                    "5a4b4661636556657273696f6e00")
                                             << quint16(0x175A);
        QTest::newRow("odd length") << QByteArray::fromHex("d0070000f38d0a00"
                                                           "09")
                                    << quint16(0x6A29);
        // The field itself is not summed, whatever it holds.
        QTest::newRow("field filled") << QByteArray::fromHex("d0071234f38d0a00"
                                                             "09")
                                      << quint16(0x6A29);
        QTest::newRow("carry folded twice")
            << QByteArray::fromHex("ffff0000ffffffff") << quint16(0x0000);
    }
    void checksumMatchesTheCheckValues() {
        QFETCH(QByteArray, packet);
        QFETCH(quint16, checksum);
        QCOMPARE(PacketChecksum(packet), checksum);
    }

    void packetsRoundTripAndBadOnesAreDropped() {
        const Packet sent{1503, 0x8DF3, 7, QByteArray::fromHex("010d000000000000000000")};
        const QByteArray bytes = EncodePacket(sent);
        QCOMPARE(bytes.size(), 8 + sent.data.size());
        QCOMPARE(ReadU16(bytes, 2), PacketChecksum(bytes));
        const std::optional<Packet> back = DecodePacket(bytes);
        QVERIFY(back.has_value());
        QCOMPARE(back->code, sent.code);
        QCOMPARE(back->field, sent.field);
        QCOMPARE(back->replyId, sent.replyId);
        QCOMPARE(back->data, sent.data);

        for (qsizetype at = 0; at < bytes.size(); ++at) {
            QByteArray damaged = bytes;
            damaged[at] = static_cast<char>(damaged.at(at) ^ 0x10);
            QVERIFY2(!DecodePacket(damaged).has_value(), qPrintable(QString::number(at)));
        }
        QVERIFY(!DecodePacket(bytes.left(7)).has_value());
    }

    void timeEncodingKeepsMonthAndYearEnds_data() {
        QTest::addColumn<TerminalTime>("time");
        QTest::addColumn<quint32>("value");
        // Values worked out by hand from the formula.
        QTest::newRow("first moment") << TerminalTime{2000, 1, 1, 0, 0, 0} << 0U;
        QTest::newRow("31 December, last second")
            << TerminalTime{2023, 12, 31, 23, 59, 59} << 771379199U;
        QTest::newRow("1 January, next second") << TerminalTime{2024, 1, 1, 0, 0, 0} << 771379200U;
        QTest::newRow("31 January") << TerminalTime{2024, 1, 31, 8, 30, 0} << 774001800U;
        QTest::newRow("1 February") << TerminalTime{2024, 2, 1, 0, 0, 1} << 774057601U;
        QTest::newRow("29 February") << TerminalTime{2024, 2, 29, 12, 0, 0} << 776520000U;
        QTest::newRow("30 November") << TerminalTime{2023, 11, 30, 17, 45, 3} << 768591903U;
        QTest::newRow("last moment of 2099")
            << TerminalTime{2099, 12, 31, 23, 59, 59} << 3214079999U;
    }
    void timeEncodingKeepsMonthAndYearEnds() {
        QFETCH(TerminalTime, time);
        QFETCH(quint32, value);
        QVERIFY(IsEncodableTerminalTime(time));
        QCOMPARE(EncodeTerminalTime(time), value);
        QCOMPARE(DecodeTerminalTime(value), time);
    }

    void everyDayOfTheYearsComesBack() {
        for (int year : {2000, 2023, 2024, 2099}) {
            for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) {
                const TerminalTime time{year, day.month(), day.day(), 23, 59, 59};
                QCOMPARE(DecodeTerminalTime(EncodeTerminalTime(time)), time);
            }
        }
    }

    void authenticationDataFollowsTheKey_data() {
        QTest::addColumn<quint32>("key");
        QTest::addColumn<quint16>("session");
        QTest::addColumn<quint8>("chosen");
        QTest::addColumn<QByteArray>("data");
        // Worked out step by step: bits reversed, session added, XOR "ZKSO", halves swapped,
        // bytes 0, 1 and 3 XOR the chosen byte, which goes into byte 2.
        QTest::newRow("no key, session 0")
            << 0U << quint16(0) << quint8(0x32) << QByteArray::fromHex("617d3279");
        QTest::newRow("key 123456")
            << 123456U << quint16(0x1234) << quint8(0x32) << QByteArray::fromHex("267f32eb");
        QTest::newRow("sum carries into the top")
            << 1U << quint16(0xFFFF) << quint8(0x32) << QByteArray::fromHex("61fd3286");
        QTest::newRow("sum wraps past 32 bits")
            << 0xFFFFFFFFU << quint16(1) << quint8(0x7F) << QByteArray::fromHex("2c307f34");
        QTest::newRow("key 999999")
            << 999999U << quint16(0xBEEF) << quint8(0x32) << QByteArray::fromHex("228132d7");
    }
    void authenticationDataFollowsTheKey() {
        QFETCH(quint32, key);
        QFETCH(quint16, session);
        QFETCH(quint8, chosen);
        QFETCH(QByteArray, data);
        QCOMPARE(AuthenticationData(key, session, chosen).toHex(), data.toHex());
        QVERIFY(AuthenticationMatches(data, key, session));
        // The device compares all bytes but the one the chosen byte replaces, which holds the
        // lowest byte of the sum: a key whose lowest bit differs (the top bit once reversed) or a
        // session differing above its lowest byte does not match.
        QVERIFY(!AuthenticationMatches(data, key ^ 1U, session));
        QVERIFY(!AuthenticationMatches(data, key, static_cast<quint16>(session ^ 0x100U)));
    }

    void framesComeOutOfAnyPieces_data() {
        QTest::addColumn<int>("pieceSize");
        QTest::newRow("byte by byte") << 1;
        QTest::newRow("7 bytes") << 7;
        QTest::newRow("all at once") << 1000000;
    }
    void framesComeOutOfAnyPieces() {
        QFETCH(int, pieceSize);
        const QList<QByteArray> packets{
            EncodePacket({2000, 1, 1, {}}),
            EncodePacket({1501, 0, 2, QByteArray(70000, 'x')}),
            EncodePacket({2000, 1, 2, QByteArray("z")}),
        };
        QByteArray stream;
        for (const QByteArray& packet : packets) {
            stream += FrameTcpPacket(packet);
        }
        TcpFrameReader reader;
        QList<QByteArray> got;
        QByteArray packet;
        for (qsizetype at = 0; at < stream.size(); at += pieceSize) {
            reader.append(stream.constData() + at,
                          std::min<qsizetype>(pieceSize, stream.size() - at));
            TcpFrameReader::Status status = TcpFrameReader::Status::Packet;
            while ((status = reader.next(packet)) == TcpFrameReader::Status::Packet) {
                got.append(packet);
            }
            QCOMPARE(status, TcpFrameReader::Status::NeedMore);
        }
        QCOMPARE(got, packets);
        QCOMPARE(reader.pending(), 0);
    }

    void streamsOfOtherKindsAreNamed_data() {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<TcpFrameReader::Status>("status");
        QTest::newRow("other protocol")
            << QByteArray::fromHex("aa01000000000055") << TcpFrameReader::Status::ForeignProtocol;
        QTest::newRow("text") << QByteArray("HTTP/1.1 400 Bad Request\r\n")
                              << TcpFrameReader::Status::Garbled;
        QTest::newRow("wrong start, seen early")
            << QByteArray::fromHex("5051") << TcpFrameReader::Status::Garbled;
        QTest::newRow("length below a header")
            << QByteArray::fromHex("5050827d07000000") << TcpFrameReader::Status::Garbled;
        QTest::newRow("length beyond the limit")
            << QByteArray::fromHex("5050827d01000004") << TcpFrameReader::Status::Garbled;
        QTest::newRow("start of a frame")
            << QByteArray::fromHex("5050827d10") << TcpFrameReader::Status::NeedMore;
    }
    void streamsOfOtherKindsAreNamed() {
        QFETCH(QByteArray, stream);
        QFETCH(TcpFrameReader::Status, status);
        TcpFrameReader reader;
        reader.append(stream.constData(), stream.size());
        QByteArray packet;
        QCOMPARE(reader.next(packet), status);
    }

    void foreignDatagramsAreRecognised() {
        QVERIFY(IsForeignProtocolFrame(QByteArray::fromHex("aa0100000000000055")));
        QVERIFY(!IsForeignProtocolFrame(QByteArray::fromHex("aa0100000000000056")));
        QVERIFY(!IsForeignProtocolFrame(EncodePacket({2000, 0, 0, {}})));
    }

    void malformedLogsAreRefused_data() {
        QTest::addColumn<QByteArray>("dataSet");
        QTest::addColumn<quint32>("records");
        auto dataSet = [](quint32 announced, qsizetype present) {
            QByteArray bytes;
            AppendU32(bytes, announced);
            return bytes + QByteArray(present, '\0');
        };
        QTest::newRow("shorter than announced") << dataSet(80, 79) << 2U;
        QTest::newRow("longer than announced") << dataSet(80, 81) << 2U;
        QTest::newRow("records do not divide") << dataSet(81, 81) << 2U;
        QTest::newRow("unknown record size") << dataSet(60, 60) << 3U;
        QTest::newRow("no count") << QByteArray("\x01\x00", 2) << 1U;
        QTest::newRow("no records") << dataSet(40, 40) << 0U;
    }
    void malformedLogsAreRefused() {
        QFETCH(QByteArray, dataSet);
        QFETCH(quint32, records);
        QVERIFY_THROWS_EXCEPTION(platform::TerminalError,
                                 AttendanceLog(dataSet, records, QStringLiteral("test")));
    }

    void serialsNeedTheirUsers() {
        QByteArray records;
        AppendU32(records, 16);
        for (quint16 serial : {1, 9}) {
            AppendU16(records, serial);
            records.append('\1');
            AppendU32(records, EncodeTerminalTime({2024, 12, 31, 23, 59, 59}));
            records.append('\1');
        }
        AttendanceLog log(records, 2, QStringLiteral("test"));
        QVERIFY(log.needsUserList());
        QByteArray users;
        AppendU32(users, 28);
        AppendU16(users, 1);
        users.append(QByteArray(22, '\0'));
        AppendU32(users, 4711);
        QVERIFY_THROWS_EXCEPTION(platform::TerminalError, log.setUserList(users, 2));
        log.setUserList(users, 1);
        const LogRecord first = log.record(0);
        QCOMPARE(first.enrolment, QStringLiteral("4711"));
        QCOMPARE(first.time, (TerminalTime{2024, 12, 31, 23, 59, 59}));
        QCOMPARE(first.state, quint8(1));
        QVERIFY_THROWS_EXCEPTION(platform::TerminalError, log.record(1));
    }
};

QTEST_GUILESS_MAIN(TerminalProtocolTest)
#include "tst_terminal_protocol.moc"
