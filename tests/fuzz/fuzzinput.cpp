#include "fuzzinput.h"

#include <cstdio>
#include <memory>

namespace Fuzz {

namespace {

constexpr quint32 FixedSeed = 20261206;
constexpr qsizetype HugeLength = 100000;

const QStringList& sharedPieces()
{
    static const QStringList pieces = {
        QString(QChar(0)),
        QString(QChar(0xd800)),                                    // lone high surrogate
        QString::fromUtf8("\xff\xfe\xc3\x28\xe2\x82\xf0\x9f\x98"), // invalid UTF-8, decoded
        QString::fromUtf8("\xf0\x9f\x98\x80"),                     // a pair outside the BMP
        QStringLiteral("\u202e\u00a0\u2028\ufeff\u0301\u0130"),    // bidi, spaces, marks, casing
        QStringLiteral("\r\n\t\x1b[31m\x7f "),
        QStringLiteral("$(touch /tmp/x)`id`'\""),
        QStringLiteral("--exec=rm -rf ~"),
        QStringLiteral("javascript:file:///etc/passwd"),
        QStringLiteral("%00%zz%2F%2E%25%E2%82"),
        QStringLiteral("@:[]()?#&=..\\"),
        QStringLiteral("xn--bücher.ｈｔｔｐｓ"),
        QStringLiteral("https://"),
        QStringLiteral("www."),
        QStringLiteral("-1 99999999999999999999999 1e308 -0 NaN"),
    };
    return pieces;
}

quint32 seed()
{
    bool ok = false;
    const uint value = qEnvironmentVariable("VELTQORV_FUZZ_SEED").toUInt(&ok);
    return ok ? value : FixedSeed;
}

} // namespace

Generator::Generator(const char* name, int rounds, QStringList corpus, QStringList pieces)
    : m_name(name), m_rounds(rounds), m_random(seed()), m_corpus(std::move(corpus)),
      m_pieces(std::move(pieces)),
      m_milliseconds(static_cast<qint64>(qEnvironmentVariable("VELTQORV_FUZZ_SECONDS").toDouble() * 1000))
{
    m_timer.start();
}

Generator::~Generator()
{
    const double seconds = static_cast<double>(m_timer.elapsed()) / 1000.0;
    // Plain stderr: the rate is wanted in every run, also without -v1.
    std::fprintf(stderr, "fuzz %s: %d rounds in %.1f s (%.0f/s), seed %u\n", m_name, m_round, seconds,
                 seconds > 0 ? m_round / seconds : 0.0, seed());
}

bool Generator::nextRound()
{
    const bool due = m_milliseconds > 0 ? m_timer.elapsed() < m_milliseconds : m_round < m_rounds;
    if (due)
        ++m_round;
    return due;
}

QByteArray Generator::describe(const QString& input) const
{
    // Qt's own escaped form (its first 256 code units) survives any terminal; the seed and the
    // round replay the whole input.
    const std::unique_ptr<char[]> escaped(QTest::toPrettyUnicode(input));
    return QByteArray("seed ") + QByteArray::number(seed()) + " (VELTQORV_FUZZ_SEED), round " +
           QByteArray::number(m_round) + ", input of " + QByteArray::number(input.size()) +
           " code units: " + escaped.get();
}

QString Generator::piece()
{
    const QStringList& from = !m_pieces.isEmpty() && chance(2) ? m_pieces : sharedPieces();
    return from.at(bounded(static_cast<int>(from.size())));
}

QString Generator::input()
{
    QString text = m_corpus.at(bounded(static_cast<int>(m_corpus.size())));
    for (int i = bounded(5); i > 0; --i)
        mutate(text);
    if (m_hugeOneIn > 0 && chance(m_hugeOneIn)) {
        const QString unit = text.isEmpty() ? QStringLiteral("a") : text;
        text = unit.repeated(HugeLength / unit.size() + 1).left(HugeLength);
    }
    return text;
}

QChar Generator::randomCodeUnit()
{
    switch (bounded(3)) {
    case 0:
        return QChar(static_cast<char16_t>(bounded(0x20))); // control characters and NUL
    case 1:
        return QChar(static_cast<char16_t>(bounded(0x10000))); // surrogates, paired or not, too
    default:
        return QChar(static_cast<char16_t>(0x20 + bounded(0x5f))); // printable ASCII
    }
}

void Generator::mutate(QString& text)
{
    const auto position = [this](const QString& in) { return bounded(static_cast<int>(in.size()) + 1); };
    switch (bounded(6)) {
    case 0: // insert a piece
        text.insert(position(text), piece());
        break;
    case 1: { // insert random code units
        QString units(1 + bounded(6), QChar());
        for (QChar& unit : units)
            unit = randomCodeUnit();
        text.insert(position(text), units);
        break;
    }
    case 2: // delete a range
        text.remove(position(text), 1 + bounded(8));
        break;
    case 3: { // duplicate a range in place
        const int from = position(text);
        text.insert(from, text.mid(from, 1 + bounded(16)));
        break;
    }
    case 4: { // splice: this entry's head, another entry's tail
        const QString& other = m_corpus.at(bounded(static_cast<int>(m_corpus.size())));
        text = text.left(position(text)) + other.mid(position(other));
        break;
    }
    default: // flip a low bit of one code unit: a letter often swaps its case
        if (!text.isEmpty()) {
            QChar& unit = text[bounded(static_cast<int>(text.size()))];
            unit = QChar(static_cast<char16_t>(unit.unicode() ^ (1u << bounded(7))));
        }
        break;
    }
}

} // namespace Fuzz
