#include "platform/FieldText.h"

#include <QStringDecoder>

namespace {

// 0x80..0x9F of Windows-1252. The five bytes it leaves undefined map to the C1 control of the
// same value, so such a byte survives display and re-encoding in Latin-1 terms.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString DecodeWindows1252(const QByteArray &bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *dst = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return out;
}

QString DecodeField(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes);
}

QByteArray EncodeField(const QString &text)
{
    return text.toUtf8();
}

namespace {

// The head of a field, and whether anything of it was left out.
QString headOf(const QByteArray &bytes, qsizetype length, bool &cut)
{
    cut = false;
    // Every byte gives at least one character.
    if (bytes.size() <= length)
        return DecodeField(bytes);
    // A character of UTF-8 takes at most four bytes; the cut goes before a character's first
    // byte, so a valid text stays valid.
    qsizetype end = qMin(bytes.size(), length * 4);
    for (int back = 0; back < 3 && end < bytes.size() && end > 0
         && (static_cast<unsigned char>(bytes.at(end)) & 0xC0) == 0x80;
         ++back)
        --end;
    QString text = DecodeField(QByteArray::fromRawData(bytes.constData(), end));
    qsizetype keep = qMin(text.size(), length);
    // Never half a surrogate pair.
    if (keep > 0 && keep < text.size() && text.at(keep - 1).isHighSurrogate())
        --keep;
    cut = keep < text.size() || end < bytes.size();
    text.truncate(keep);
    return text;
}

} // namespace

QString FieldHead(const QByteArray &bytes, qsizetype length)
{
    bool cut = false;
    return headOf(bytes, length, cut);
}

QString ShownField(const QByteArray &bytes)
{
    bool cut = false;
    QString head = headOf(bytes, ShownFieldLength, cut);
    if (cut)
        head += QChar(0x2026);
    return head;
}
