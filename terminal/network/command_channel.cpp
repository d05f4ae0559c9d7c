#include "command_channel.h"

#include "byte_order.h"
#include "protocol_codes.h"

namespace terminal::network {

namespace {

// Packets discarded while one reply is awaited, before the link counts as flooded with
// packets that belong to nothing asked.
constexpr int DiscardLimit = 256;

QByteArray chunkRequest(quint32 offset, quint32 length) {
    QByteArray data;
    AppendU32(data, offset);
    AppendU32(data, length);
    return data;
}

} // namespace

QString ReplyCodeText(quint16 value) {
    switch (value) {
    case code::Ok:
        return QStringLiteral("OK");
    case code::Error:
        return QStringLiteral("error");
    case code::DataReply:
        return QStringLiteral("data");
    case code::Retry:
        return QStringLiteral("retry");
    case code::Repeat:
        return QStringLiteral("repeat");
    case code::Unauthorised:
        return QStringLiteral("unauthorised");
    case code::UnknownCommand:
        return QStringLiteral("unknown command");
    case code::CommandError:
        return QStringLiteral("command error");
    case code::InitialisationError:
        return QStringLiteral("initialisation error");
    case code::DataError:
        return QStringLiteral("data error");
    default:
        return QStringLiteral("reply %1").arg(value);
    }
}

CommandChannel::CommandChannel(std::unique_ptr<PacketLink> link, ChannelTimeouts timeouts)
    : link_(std::move(link)), timeouts_(timeouts) {}

void CommandChannel::fail(LinkFailure failure, const QString& what) const {
    throw LinkError(failure, QStringLiteral("%1: %2").arg(link_->label(), what));
}

int CommandChannel::tries() const {
    return link_->isStream() ? 1 : std::max(1, timeouts_.tries);
}

quint16 CommandChannel::send(quint16 request, const QByteArray& data) {
    const quint16 replyId = ++lastReplyId_;
    link_->send(EncodePacket({request, session_, replyId, data}), DeadlineIn(timeouts_.reply));
    return replyId;
}

std::optional<Packet> CommandChannel::await(quint16 replyId, Deadline deadline,
                                            bool transferPackets) {
    for (int discarded = 0; discarded <= DiscardLimit; ++discarded) {
        const std::optional<QByteArray> bytes = link_->receive(deadline);
        if (!bytes) {
            return std::nullopt;
        }
        std::optional<Packet> packet = DecodePacket(*bytes);
        if (!packet) {
            if (link_->isStream()) {
                // A stream loses nothing, so a bad checksum means the sender is broken.
                fail(LinkFailure::Garbled, QStringLiteral("a reply with a wrong checksum"));
            }
            continue;
        }
        const bool fits =
            code::IsReplyCode(packet->code) ||
            (transferPackets && (packet->code == code::PrepareData || packet->code == code::Data));
        if (packet->replyId == replyId && fits) {
            return packet;
        }
    }
    if (link_->isStream()) {
        fail(LinkFailure::Garbled,
             QStringLiteral("more than %1 packets that answer nothing asked").arg(DiscardLimit));
    }
    return std::nullopt;
}

Reply CommandChannel::openSession(milliseconds wait) {
    session_ = 0;
    lastReplyId_ = 0;
    const QByteArray request = EncodePacket({code::Connect, 0, 0, {}});
    for (int attempt = 0; attempt < tries(); ++attempt) {
        link_->send(request, DeadlineIn(wait));
        if (std::optional<Packet> reply = await(0, DeadlineIn(wait), false)) {
            if (reply->code == code::Ok || reply->code == code::Unauthorised) {
                session_ = reply->field;
            }
            return {reply->code, reply->field, reply->data};
        }
    }
    fail(LinkFailure::NoAnswer, QStringLiteral("no answer to the connect request"));
}

Reply CommandChannel::command(quint16 request, const QByteArray& data, milliseconds wait) {
    const milliseconds replyWait = wait.count() > 0 ? wait : timeouts_.reply;
    const quint16 replyId = ++lastReplyId_;
    const QByteArray packet = EncodePacket({request, session_, replyId, data});
    for (int attempt = 0; attempt < tries(); ++attempt) {
        link_->send(packet, DeadlineIn(replyWait));
        if (std::optional<Packet> reply = await(replyId, DeadlineIn(replyWait), false)) {
            return {reply->code, reply->field, reply->data};
        }
    }
    fail(LinkFailure::NoAnswer, QStringLiteral("no answer to request %1").arg(request));
}

CommandChannel::TransferProgress CommandChannel::receiveTransfer(quint16 replyId,
                                                                 std::optional<quint32> expected,
                                                                 QByteArray& sink) {
    TransferProgress progress;
    std::optional<quint32> announced;
    quint16 nextIndex = 0;
    for (;;) {
        std::optional<Packet> packet = await(replyId, DeadlineIn(timeouts_.reply), true);
        if (!packet) {
            return progress;
        }
        if (packet->code == code::PrepareData) {
            if (announced || progress.received > 0) {
                continue; // a repeat of the announcement
            }
            if (packet->data.size() < 4) {
                fail(LinkFailure::Garbled, QStringLiteral("a transfer announcement without size"));
            }
            announced = ReadU32(packet->data, 0);
            if (expected && *announced != *expected) {
                fail(LinkFailure::Garbled, QStringLiteral("%1 bytes announced where %2 were asked")
                                               .arg(*announced)
                                               .arg(*expected));
            }
            continue;
        }
        if (packet->code == code::Data) {
            if (!link_->isStream()) {
                // Over UDP the packets of a transfer count 0, 1, 2, ...: a lower index is a
                // repeat, a higher one means a packet was lost.
                if (packet->field < nextIndex) {
                    continue;
                }
                if (packet->field > nextIndex) {
                    return progress;
                }
                ++nextIndex;
            }
            const std::optional<quint32> total = announced ? announced : expected;
            const auto size = static_cast<quint32>(packet->data.size());
            if (!total) {
                // Without announcement the whole answer comes in this one packet.
                sink.append(packet->data);
                progress.received = size;
                progress.complete = true;
                return progress;
            }
            if (size > *total - progress.received) {
                if (link_->isStream()) {
                    fail(LinkFailure::Garbled,
                         QStringLiteral("more transfer bytes than the %1 announced").arg(*total));
                }
                return progress;
            }
            sink.append(packet->data);
            progress.received += size;
            if (progress.received == *total) {
                progress.complete = true;
                return progress;
            }
            continue;
        }
        if (announced || progress.received > 0) {
            if (link_->isStream()) {
                fail(LinkFailure::Garbled,
                     QStringLiteral("the transfer ended (%1) after %2 of %3 bytes")
                         .arg(ReplyCodeText(packet->code))
                         .arg(progress.received)
                         .arg(announced ? *announced : expected.value_or(0)));
            }
            return progress; // data packets were lost before the end of the transfer
        }
        progress.reply = std::move(packet);
        return progress;
    }
}

Reply CommandChannel::transfer(quint16 request, const QByteArray& data,
                               const std::function<bool(const QByteArray&)>& isWhole) {
    for (int attempt = 0; attempt < tries(); ++attempt) {
        const quint16 replyId = send(request, data);
        QByteArray bytes;
        TransferProgress progress = receiveTransfer(replyId, std::nullopt, bytes);
        if (progress.reply) {
            return {progress.reply->code, progress.reply->field, progress.reply->data};
        }
        if (progress.complete && (link_->isStream() || isWhole(bytes))) {
            return {code::Data, 0, bytes};
        }
        if (link_->isStream()) {
            fail(LinkFailure::NoAnswer,
                 QStringLiteral("the terminal stopped answering during the transfer of request "
                                "%1, after %2 bytes")
                     .arg(request)
                     .arg(progress.received));
        }
    }
    fail(LinkFailure::NoAnswer, QStringLiteral("the transfer of request %1 stayed incomplete "
                                               "after %2 tries")
                                    .arg(request)
                                    .arg(tries()));
}

void CommandChannel::readBufferChunk(quint32 offset, quint32 length, QByteArray& sink) {
    quint32 done = 0;
    int fruitless = 0;
    while (done < length) {
        const quint16 replyId =
            send(code::ReadBufferChunk, chunkRequest(offset + done, length - done));
        const TransferProgress progress = receiveTransfer(replyId, length - done, sink);
        done += progress.received;
        if (progress.complete) {
            break;
        }
        if (progress.reply) {
            throw platform::TerminalError(
                QStringLiteral("%1: the terminal refused to read bytes %2 to %3 of its prepared "
                               "data (%4)")
                    .arg(link_->label())
                    .arg(offset + done)
                    .arg(offset + length)
                    .arg(ReplyCodeText(progress.reply->code)));
        }
        if (link_->isStream()) {
            fail(LinkFailure::NoAnswer,
                 QStringLiteral("the terminal stopped answering during the transfer, after %1 "
                                "bytes")
                     .arg(offset + done));
        }
        fruitless = progress.received > 0 ? 0 : fruitless + 1;
        if (fruitless >= tries()) {
            fail(LinkFailure::NoAnswer,
                 QStringLiteral("no more transfer bytes after %1 bytes and %2 tries")
                     .arg(offset + done)
                     .arg(tries()));
        }
    }
}

} // namespace terminal::network
