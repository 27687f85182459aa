#include "platform/rtl/text/KVR.FormatFloat.h"
#include <QStringList>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

// |value| = 0.D1D2...Dn x 10^Exp; Digits empty means zero.
struct TDecimal
{
    std::string Digits;
    int Exp = 0;
    bool IsZero() const { return Digits.empty(); }
};

TDecimal ToDecimal(double aValue)
{
    TDecimal d;
    aValue = std::fabs(aValue);
    if (aValue == 0.0)
        return d;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, aValue, std::chars_format::scientific);
    std::string s(buf, res.ptr);
    const auto e = s.find('e');
    const std::string mant = s.substr(0, e);
    const int exp10 = std::stoi(s.substr(e + 1));
    for (char c : mant)
        if (c >= '0' && c <= '9')
            d.Digits.push_back(c);
    d.Exp = exp10 + 1;
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
    return d;
}

// Keeps aKeep leading digits, halves away from zero (as the class library's
// FormatFloat does, so 12.5 and 7.5 caption "13" and "8"); the rest is dropped.
void RoundDigits(TDecimal& d, int aKeep)
{
    if (d.IsZero() || aKeep >= int(d.Digits.size()))
        return;
    if (aKeep < 0) {
        d.Digits.clear();
        return;
    }
    const bool up = d.Digits[size_t(aKeep)] >= '5';
    d.Digits.resize(size_t(aKeep));
    if (up) {
        int i = aKeep - 1;
        while (i >= 0 && d.Digits[size_t(i)] == '9') {
            d.Digits[size_t(i)] = '0';
            --i;
        }
        if (i >= 0)
            d.Digits[size_t(i)]++;
        else {
            d.Digits.insert(d.Digits.begin(), '1');
            d.Exp++;
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
}

enum class TTok { Zero, Hash, Point, Comma, Exp, Literal };

struct TToken
{
    TTok Kind;
    QString Text;      // literal text
    bool ExpPlus = false;
    int ExpDigits = 0;
};

std::vector<TToken> Tokenize(const QString& aSection)
{
    std::vector<TToken> out;
    const int n = aSection.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = aSection[i];
        if (c == '0')
            out.push_back({TTok::Zero, {}});
        else if (c == '#')
            out.push_back({TTok::Hash, {}});
        else if (c == '.')
            out.push_back({TTok::Point, {}});
        else if (c == ',')
            out.push_back({TTok::Comma, {}});
        else if (c == '\'' || c == '"') {
            int j = i + 1;
            QString lit;
            while (j < n && aSection[j] != c)
                lit += aSection[j++];
            out.push_back({TTok::Literal, lit});
            i = j;  // past the closing quote (or the end)
        } else if ((c == 'E' || c == 'e') && i + 1 < n && (aSection[i + 1] == '+' || aSection[i + 1] == '-')) {
            TToken t{TTok::Exp, QString(c)};
            t.ExpPlus = aSection[i + 1] == '+';
            int j = i + 2;
            while (j < n && aSection[j] == '0' && t.ExpDigits < 4) {
                ++t.ExpDigits;
                ++j;
            }
            out.push_back(t);
            i = j - 1;
        } else
            out.push_back({TTok::Literal, QString(c)});
    }
    return out;
}

QStringList SplitSections(const QString& aFormat)
{
    QStringList parts;
    QString cur;
    QChar quote;
    for (QChar c : aFormat) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            cur += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            cur += c;
        } else if (c == ';') {
            parts << cur;
            cur.clear();
        } else
            cur += c;
    }
    parts << cur;
    return parts;
}

struct TLayout
{
    std::vector<TToken> Tokens;
    int PointAt = -1;      // token index of the decimal point
    int ExpAt = -1;        // token index of the exponent
    int IntHolders = 0;
    int MinInt = 0;
    int FracHolders = 0;
    int MinFrac = 0;
    bool Grouping = false;
};

TLayout Analyse(const QString& aSection)
{
    TLayout l;
    l.Tokens = Tokenize(aSection);
    for (int i = 0; i < int(l.Tokens.size()); ++i) {
        if (l.Tokens[size_t(i)].Kind == TTok::Point && l.PointAt < 0)
            l.PointAt = i;
        if (l.Tokens[size_t(i)].Kind == TTok::Exp && l.ExpAt < 0)
            l.ExpAt = i;
    }
    const int intEnd = l.PointAt >= 0 ? l.PointAt : (l.ExpAt >= 0 ? l.ExpAt : int(l.Tokens.size()));
    bool seenZero = false;
    for (int i = 0; i < intEnd; ++i) {
        const TTok k = l.Tokens[size_t(i)].Kind;
        if (k == TTok::Zero || k == TTok::Hash) {
            ++l.IntHolders;
            if (k == TTok::Zero)
                seenZero = true;
            if (seenZero)
                ++l.MinInt;
        } else if (k == TTok::Comma)
            l.Grouping = true;
    }
    if (l.PointAt >= 0) {
        const int fracEnd = l.ExpAt > l.PointAt ? l.ExpAt : int(l.Tokens.size());
        for (int i = l.PointAt + 1; i < fracEnd; ++i) {
            const TTok k = l.Tokens[size_t(i)].Kind;
            if (k == TTok::Zero || k == TTok::Hash) {
                ++l.FracHolders;
                if (k == TTok::Zero)
                    l.MinFrac = l.FracHolders;
            }
        }
    }
    return l;
}

// Rounds |aValue| as the layout asks; returns integer digits, fraction digits
// and the exponent (scientific only).
struct TParts
{
    std::string Int;
    std::string Frac;
    int Exponent = 0;
    bool Zero = true;
};

TParts Split(const TLayout& l, double aValue)
{
    TParts p;
    TDecimal d = ToDecimal(aValue);
    if (l.ExpAt >= 0) {
        const int intDigits = l.IntHolders > 0 ? l.IntHolders : 1;
        RoundDigits(d, intDigits + l.FracHolders);
        if (!d.IsZero()) {
            p.Exponent = d.Exp - intDigits;
            d.Exp = intDigits;
        }
    } else
        RoundDigits(d, d.Exp + l.FracHolders);
    p.Zero = d.IsZero();
    if (!d.IsZero()) {
        for (int i = 0; i < d.Exp; ++i)
            p.Int.push_back(i < int(d.Digits.size()) ? d.Digits[size_t(i)] : '0');
        for (int i = std::max(d.Exp, 0); i < int(d.Digits.size()); ++i)
            p.Frac.push_back(d.Digits[size_t(i)]);
        for (int i = d.Exp; i < 0; ++i)
            p.Frac.insert(p.Frac.begin(), '0');
    }
    while (int(p.Int.size()) < l.MinInt)
        p.Int.insert(p.Int.begin(), '0');
    while (int(p.Frac.size()) < l.MinFrac)
        p.Frac.push_back('0');
    while (int(p.Frac.size()) > l.MinFrac && !p.Frac.empty() && p.Frac.back() == '0')
        p.Frac.pop_back();
    return p;
}

QString Render(const TLayout& l, const TParts& p)
{
    QString out;
    const int nInt = int(p.Int.size());
    auto emitIntDigit = [&](int j) {
        out += QChar(p.Int[size_t(j)]);
        const int fromRight = nInt - 1 - j;
        if (l.Grouping && fromRight > 0 && fromRight % 3 == 0)
            out += ',';
    };
    int holder = 0;
    int frac = 0;
    const int intEnd = l.PointAt >= 0 ? l.PointAt : (l.ExpAt >= 0 ? l.ExpAt : int(l.Tokens.size()));
    for (int i = 0; i < int(l.Tokens.size()); ++i) {
        const TToken& t = l.Tokens[size_t(i)];
        switch (t.Kind) {
        case TTok::Zero:
        case TTok::Hash:
            if (i < intEnd) {
                const int j = nInt - l.IntHolders + holder;
                if (holder == 0)
                    for (int k = 0; k <= j; ++k)
                        emitIntDigit(k);
                else if (j >= 0)
                    emitIntDigit(j);
                ++holder;
            } else if (l.ExpAt < 0 || i < l.ExpAt) {
                if (frac < int(p.Frac.size()))
                    out += QChar(p.Frac[size_t(frac)]);
                ++frac;
            } else
                out += t.Kind == TTok::Zero ? QStringLiteral("0") : QString();
            break;
        case TTok::Point:
            if (i == l.PointAt && !p.Frac.empty())
                out += '.';
            break;
        case TTok::Comma:
            break;
        case TTok::Exp: {
            out += t.Text;
            const int e = p.Exponent;
            if (e < 0)
                out += '-';
            else if (t.ExpPlus)
                out += '+';
            out += QStringLiteral("%1").arg(std::abs(e), std::max(t.ExpDigits, 1), 10, QChar('0'));
            break;
        }
        case TTok::Literal:
            out += t.Text;
            break;
        }
    }
    // A pattern without any integer digit holder still shows the integer part.
    if (l.IntHolders == 0 && nInt > 0 && !(nInt == 1 && p.Int[0] == '0'))
        out.prepend(QString::fromStdString(p.Int));
    return out;
}

QString General(double aValue)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, aValue, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    const auto e = s.find('e');
    if (e == std::string::npos)
        return QString::fromStdString(s);
    std::string mant = s.substr(0, e);
    const int exp10 = std::stoi(s.substr(e + 1));
    return QString::fromStdString(mant) + 'E' + QString::number(exp10);
}

}  // namespace

QString FormatFloat(const QString& aFormat, double aValue)
{
    if (std::isnan(aValue))
        return QStringLiteral("NAN");
    if (std::isinf(aValue))
        return aValue > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (aFormat.isEmpty())
        return General(aValue == 0.0 ? 0.0 : aValue);

    const QStringList sections = SplitSections(aFormat);
    const QString& first = sections[0];
    const bool negative = aValue < 0;
    QString section = first;
    bool ownSign = false;
    if (negative && sections.size() > 1 && !sections[1].isEmpty()) {
        section = sections[1];
        ownSign = true;
    }
    TLayout layout = Analyse(section);
    TParts parts = Split(layout, aValue);
    if (parts.Zero) {
        if (sections.size() > 2 && !sections[2].isEmpty()) {
            layout = Analyse(sections[2]);
            parts = Split(layout, 0.0);
            return Render(layout, parts);
        }
        // No negative zero: the positive section, unsigned.
        if (ownSign) {
            layout = Analyse(first);
            parts = Split(layout, 0.0);
        }
        return Render(layout, parts);
    }
    QString out = Render(layout, parts);
    if (negative && !ownSign)
        out.prepend('-');
    return out;
}
