#include "import/KVR.FMX.Diagrams.MermaidStatement.h"
#include "import/KVR.FMX.Diagrams.Text.h"
#include <algorithm>
#include <array>
#include <initializer_list>

namespace {

// Length (0, 1 or 2 UTF-16 units) of the word character at aPos: a letter,
// a digit or "_" in any script, as "\w" matches with Unicode properties.
qsizetype WordCharAt(QStringView aText, qsizetype aPos)
{
    if (aPos >= aText.size())
        return 0;
    const QChar c = aText[aPos];
    if (c == u'_')
        return 1;
    if (c.isHighSurrogate() && aPos + 1 < aText.size() && aText[aPos + 1].isLowSurrogate()) {
        const char32_t ucs4 = QChar::surrogateToUcs4(c, aText[aPos + 1]);
        return QChar::isLetterOrNumber(ucs4) ? 2 : 0;
    }
    return c.isLetterOrNumber() ? 1 : 0;
}

// End of the run of word characters from aPos.
qsizetype WordEnd(QStringView aText, qsizetype aPos)
{
    while (const qsizetype n = WordCharAt(aText, aPos))
        aPos += n;
    return aPos;
}

bool IsBracket(QChar aChar)
{
    switch (aChar.unicode()) {
    case u'(': case u')': case u'[': case u']': case u'{': case u'}':
        return true;
    default:
        return false;
    }
}

struct TShape
{
    const char16_t* Opener;
    std::initializer_list<const char16_t*> Closers;
};

// Longer openers first, so "((" is not read as "(".
const std::array<TShape, 12> Shapes = {{
    {u"(((", {u")))"}},
    {u"((", {u"))"}},
    {u"([", {u"])"}},
    {u"(", {u")"}},
    {u"[[", {u"]]"}},
    {u"[(", {u")]"}},
    {u"[/", {u"/]", u"\\]"}},
    {u"[\\", {u"\\]", u"/]"}},
    {u"[", {u"]"}},
    {u"{{", {u"}}"}},
    {u"{", {u"}"}},
    {u">", {u"]"}},
}};

class TStatementScanner
{
public:
    explicit TStatementScanner(QStringView aText) : fText(aText) {}

    bool AtEnd() const { return fPos >= fText.size(); }
    void SkipBlanks()
    {
        while (fPos < fText.size() && fText[fPos].unicode() <= 0x20)
            ++fPos;
    }

    bool ReadNode(TMermaidNodeRef& aNode)
    {
        const qsizetype start = fPos;
        fPos = WordEnd(fText, fPos);
        if (fPos == start)
            return false;
        aNode.ID = fText.mid(start, fPos - start).toString();
        const qsizetype idEnd = fPos;
        SkipBlanks();
        const TShape* shape = FindOpener(fPos == idEnd);
        if (shape) {
            fPos += std::char_traits<char16_t>::length(shape->Opener);
            if (!ReadCaption(*shape, aNode.Text))
                return false;
            aNode.Shaped = true;
            aNode.Declaration = fText.mid(start, fPos - start).toString();
        } else {
            fPos = idEnd;
            aNode.Text = aNode.ID;
            aNode.Declaration = aNode.ID;
        }
        return ReadClassSuffix();
    }

    // An arrow and its label, if any; false when what follows is no arrow.
    bool ReadArrow(QString& aLabel)
    {
        if (AtEnd())
            return false;
        const QChar c = fText[fPos];
        bool read = false;
        if (c == u'-' && Peek(1) == u'.')
            read = ReadDotted(aLabel);
        else if (c == u'-' || c == u'=')
            read = ReadLine(c, aLabel);
        if (!read)
            return false;
        const qsizetype afterArrow = fPos;
        SkipBlanks();
        if (Peek(0) == u'|') {
            const qsizetype close = fText.indexOf(u'|', fPos + 1);
            if (close < 0)
                return false;
            aLabel = KVRDiagramTrim(fText.mid(fPos + 1, close - fPos - 1).toString());
            fPos = close + 1;
        } else {
            fPos = afterArrow;
        }
        return true;
    }

private:
    QChar Peek(qsizetype aAhead) const
    {
        const qsizetype i = fPos + aAhead;
        return i < fText.size() ? fText[i] : QChar();
    }

    qsizetype RunLength(qsizetype aFrom, QChar aChar) const
    {
        qsizetype i = aFrom;
        while (i < fText.size() && fText[i] == aChar)
            ++i;
        return i - aFrom;
    }

    const TShape* FindOpener(bool aAdjacent) const
    {
        for (const TShape& shape : Shapes) {
            // The asymmetric shape must follow its identifier directly.
            if (shape.Opener[0] == u'>' && !aAdjacent)
                continue;
            if (fText.mid(fPos).startsWith(QStringView(shape.Opener)))
                return &shape;
        }
        return nullptr;
    }

    bool ReadCaption(const TShape& aShape, QString& aText)
    {
        qsizetype i = fPos;
        while (i < fText.size() && fText[i].unicode() <= 0x20)
            ++i;
        if (i < fText.size() && fText[i] == u'"') {
            const qsizetype close = fText.indexOf(u'"', i + 1);
            if (close < 0)
                return false;
            aText = KVRDiagramTrim(fText.mid(i + 1, close - i - 1).toString());
            fPos = close + 1;
            SkipBlanks();
            for (const char16_t* closer : aShape.Closers)
                if (fText.mid(fPos).startsWith(QStringView(closer))) {
                    fPos += std::char_traits<char16_t>::length(closer);
                    return true;
                }
            return false;
        }
        // Unquoted: the caption runs to the first bracket, which must begin
        // the closer (or follow its leading slash).
        while (i < fText.size() && !IsBracket(fText[i]))
            ++i;
        if (i >= fText.size())
            return false;
        for (const char16_t* closer : aShape.Closers) {
            const qsizetype lead = IsBracket(QChar(closer[0])) ? 0 : 1;
            const qsizetype at = i - lead;
            if (at >= fPos && fText.mid(at).startsWith(QStringView(closer))) {
                aText = KVRDiagramTrim(fText.mid(fPos, at - fPos).toString());
                fPos = at + std::char_traits<char16_t>::length(closer);
                return true;
            }
        }
        return false;
    }

    bool ReadClassSuffix()
    {
        if (!fText.mid(fPos).startsWith(u":::"))
            return true;
        qsizetype i = fPos + 3;
        const qsizetype start = i;
        while (i < fText.size() && (WordCharAt(fText, i) > 0 || fText[i] == u'-'))
            i += std::max<qsizetype>(WordCharAt(fText, i), 1);
        fPos = i;
        return i > start;
    }

    // "-->", "---", "==>", "===" with any longer run, or the label form
    // "-- label -->" / "== label ==>".
    bool ReadLine(QChar aChar, QString& aLabel)
    {
        const qsizetype run = RunLength(fPos, aChar);
        if (run < 2)
            return false;
        if (fPos + run < fText.size() && fText[fPos + run] == u'>') {
            fPos += run + 1;
            return true;
        }
        if (run >= 3) {
            fPos += run;
            return true;
        }
        // Two alone open a label, closed by the next run of the same kind.
        const qsizetype textStart = fPos + 2;
        const QString pair(2, aChar);
        const qsizetype close = fText.indexOf(pair, textStart);
        if (close < 0)
            return false;
        const qsizetype closeRun = RunLength(close, aChar);
        const bool head = close + closeRun < fText.size() && fText[close + closeRun] == u'>';
        if (!head && closeRun < 3)
            return false;
        aLabel = KVRDiagramTrim(fText.mid(textStart, close - textStart).toString());
        if (aLabel.isEmpty())
            return false;
        fPos = close + closeRun + (head ? 1 : 0);
        return true;
    }

    // "-.->", "-..->", "-.-" or the label form "-. label .->".
    bool ReadDotted(QString& aLabel)
    {
        const qsizetype dots = RunLength(fPos + 1, u'.');
        const qsizetype after = fPos + 1 + dots;
        if (after < fText.size() && fText[after] == u'-') {
            fPos = after + 1;
            if (Peek(0) == u'>')
                ++fPos;
            return true;
        }
        if (dots != 1)
            return false;
        const qsizetype textStart = fPos + 2;
        const qsizetype close = fText.indexOf(u".-", textStart);
        if (close < 0)
            return false;
        aLabel = KVRDiagramTrim(fText.mid(textStart, close - textStart).toString());
        if (aLabel.isEmpty())
            return false;
        fPos = close + 2;
        if (Peek(0) == u'>')
            ++fPos;
        return true;
    }

    QStringView fText;
    qsizetype fPos = 0;
};

// Depth of brackets and the quote state, walked once along a statement.
class TNesting
{
public:
    // True while aChar stands outside brackets and quotes (before taking it).
    bool Outside() const { return fDepth == 0 && !fQuoted; }
    void Take(QChar aChar)
    {
        if (aChar == u'"') {
            fQuoted = !fQuoted;
            return;
        }
        if (fQuoted)
            return;
        switch (aChar.unicode()) {
        case u'(': case u'[': case u'{':
            ++fDepth;
            break;
        case u')': case u']': case u'}':
            if (fDepth > 0)
                --fDepth;
            break;
        default:
            break;
        }
    }

private:
    qsizetype fDepth = 0;
    bool fQuoted = false;
};

}  // namespace

namespace KVRMermaid {

QStringList SplitStatements(const QString& aLine)
{
    QStringList result;
    TNesting nesting;
    qsizetype start = 0;
    for (qsizetype i = 0; i < aLine.size(); ++i) {
        const QChar c = aLine.at(i);
        // A bars caption runs to the end of the line, ";" included.
        if (c == u'|' && nesting.Outside() && i + 1 < aLine.size() && aLine.at(i + 1) == u'|')
            break;
        if (c == u';' && nesting.Outside()) {
            result.append(aLine.mid(start, i - start));
            start = i + 1;
            continue;
        }
        nesting.Take(c);
    }
    result.append(aLine.mid(start));
    return result;
}

bool IsPassedOver(QStringView aStatement)
{
    const QString text = KVRDiagramTrim(aStatement.toString());
    if (text.startsWith(u"%%"))
        return true;
    const qsizetype wordEnd = WordEnd(text, 0);
    if (wordEnd < text.size() && text.at(wordEnd).unicode() > 0x20)
        return false;
    static const std::array<const char16_t*, 10> keywords = {u"graph", u"flowchart", u"subgraph", u"end", u"direction",
                                                             u"classDef", u"class", u"style", u"linkStyle", u"click"};
    const QStringView word = QStringView(text).left(wordEnd);
    for (const char16_t* keyword : keywords)
        if (word == QStringView(keyword))
            return true;
    return false;
}

bool HasArrow(QStringView aStatement)
{
    TNesting nesting;
    for (qsizetype i = 0; i + 1 < aStatement.size(); ++i) {
        const QChar c = aStatement[i];
        if (nesting.Outside()) {
            const QChar next = aStatement[i + 1];
            if ((c == u'-' && (next == u'-' || next == u'.')) || (c == u'=' && next == u'='))
                return true;
        }
        nesting.Take(c);
    }
    return false;
}

bool ReadStatement(QStringView aStatement, TMermaidStatement& aResult)
{
    TStatementScanner scanner(aStatement);
    TMermaidStatement statement;
    scanner.SkipBlanks();
    TMermaidNodeRef node;
    if (!scanner.ReadNode(node))
        return false;
    statement.Nodes.append(node);
    for (;;) {
        scanner.SkipBlanks();
        if (scanner.AtEnd())
            break;
        TMermaidEdge edge;
        if (!scanner.ReadArrow(edge.Text))
            return false;
        scanner.SkipBlanks();
        TMermaidNodeRef next;
        if (!scanner.ReadNode(next))
            return false;
        edge.From = statement.Nodes.size() - 1;
        edge.To = statement.Nodes.size();
        statement.Nodes.append(next);
        statement.Edges.append(edge);
    }
    aResult = std::move(statement);
    return true;
}

}  // namespace KVRMermaid
