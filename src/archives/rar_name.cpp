#include "archives/rar_name.h"

#include "app/byte_order.h"
#include "app/inner_text.h"

namespace velmar::archives {

namespace {

// The packed part: a high byte shared by the units, then groups of four
// two-bit codes (first code in the top bits), each followed by its bytes:
//   0: one byte, high byte 0      1: one byte, the shared high byte
//   2: two bytes, low then high   3: a run copied from the code-page name,
//      length + 2 (low 7 bits); with its top bit set, a correction byte
//      added to each byte and the shared high byte put above it.
class PackedName {
public:
    PackedName(const QByteArray& field, const QByteArray& packed) : m_field(field), m_packed(packed) {}

    std::u16string units() {
        std::u16string out;
        if (m_packed.isEmpty())
            return out;
        const char16_t high = char16_t(byte() << 8);
        int codes = 0;
        int flags = 0;
        while (m_at < m_packed.size()) {
            if (codes == 0) {
                flags = byte();
                codes = 4;
            }
            if (!unit((flags >> 6) & 3, high, out))
                break;
            flags = (flags << 2) & 0xFF;
            --codes;
        }
        return out;
    }

private:
    int byte() { return m_at < m_packed.size() ? quint8(m_packed[m_at++]) : 0; }

    bool unit(int code, char16_t high, std::u16string& out) {
        switch (code) {
        case 0:
            out += char16_t(byte());
            return true;
        case 1:
            out += char16_t(high | byte());
            return true;
        case 2: {
            const char pair[2] = {char(byte()), char(byte())};
            out += char16_t(bytes::le16(QByteArrayView(pair, 2)));
            return true;
        }
        default:
            return run(high, out);
        }
    }

    bool run(char16_t high, std::u16string& out) {
        const int length = byte();
        const bool corrected = length & 0x80;
        const int correction = corrected ? byte() : 0;
        for (int n = (length & 0x7F) + 2; n > 0; --n) {
            const size_t at = out.size();
            if (at >= size_t(m_field.size()))
                return false;
            const int plain = quint8(m_field[qsizetype(at)]);
            out += corrected ? char16_t(high | ((plain + correction) & 0xFF)) : char16_t(plain);
        }
        return true;
    }

    const QByteArray& m_field;
    const QByteArray& m_packed;
    qsizetype m_at = 0;
};

} // namespace

QString rarUnicodeName(const QByteArray& field) {
    const qsizetype zero = field.indexOf('\0');
    if (zero < 0)
        return innerText(field, DeclaredEncoding::Utf8);
    const QByteArray plain = field.left(zero);
    const QByteArray packed = field.mid(zero + 1);
    const std::u16string units = PackedName(field, packed).units();
    if (units.empty())
        return innerText(plain);
    return QString::fromStdU16String(units);
}

} // namespace velmar::archives
