#include "dialogs/KVR.FMX.Mem.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace {

// A text cut into lines and the line end after each but the last. The memo
// starts a line at CR LF, LF, a lone CR and U+2029.
struct TLines
{
    QStringList Lines{QString()};
    QStringList Ends;
};

TLines SplitLines(const QString& aText)
{
    TLines out;
    for (qsizetype i = 0; i < aText.size(); ++i) {
        const QChar c = aText[i];
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator) {
            const bool pair = c == u'\r' && i + 1 < aText.size() && aText[i + 1] == u'\n';
            out.Ends << aText.mid(i, pair ? 2 : 1);
            out.Lines << QString();
            i += pair ? 1 : 0;
        } else {
            out.Lines.last() += c;
        }
    }
    return out;
}

QString CommonestEnd(const QStringList& aEnds)
{
    QString best = QStringLiteral("\n");
    qsizetype most = 0;
    for (const QString& end : aEnds)
        if (const qsizetype n = aEnds.count(end); n > most) {
            most = n;
            best = end;
        }
    return best;
}

}  // namespace

QString KVRWithLineEndsOf(const QString& aRaw, const QString& aOriginal)
{
    const TLines was = SplitLines(aOriginal);
    const QStringList lines = aRaw.split(QChar::ParagraphSeparator);
    const qsizetype n = was.Lines.size();
    const qsizetype m = lines.size();
    // Lines unchanged at the start and at the end of the text.
    qsizetype head = 0;
    while (head < n && head < m && lines[head] == was.Lines[head])
        ++head;
    qsizetype tail = 0;
    while (tail < n - head && tail < m - head && lines[m - 1 - tail] == was.Lines[n - 1 - tail])
        ++tail;
    const QString fresh = CommonestEnd(was.Ends);
    QString text = lines[0];
    for (qsizetype i = 0; i + 1 < m; ++i) {
        // The end after line i: a kept head line's own, the one before a kept
        // tail line, else the commonest.
        const qsizetype fromEnd = i + n - m;
        if (i < head && i < n - 1)
            text += was.Ends[i];
        else if (i + 1 >= m - tail && fromEnd >= 0)
            text += was.Ends[fromEnd];
        else
            text += fresh;
        text += lines[i + 1];
    }
    return text;
}

TfMem::TfMem(QWidget* aOwner) : QDialog(aOwner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("fMem"));
    resize(680, 460);
    MemText = new QPlainTextEdit(this);
    MemText->setObjectName(QStringLiteral("MemText"));
    butOK = new QPushButton(this);
    butOK->setObjectName(QStringLiteral("butOK"));
    butCancel = new QPushButton(this);
    butCancel->setObjectName(QStringLiteral("butCancel"));
    connect(butOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The memo fills the form; the buttons keep to the lower right corner.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->addWidget(MemText, 0, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->addWidget(butOK, 1, 1);
    grid->addWidget(butCancel, 1, 2);
}

void TfMem::Ini(const QString& aText, bool aKeepSize)
{
    if (!aKeepSize)
        resize(440, 340);
    setWindowTitle(TKVRMsg::GetPropValue(QStringLiteral("Text")).trimmed());
    butOK->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Ok")));
    butCancel->setText(TKVRMsg::GetDialogsValue(QStringLiteral("Cancel")));
    fOriginal = aText;
    MemText->setPlainText(aText);
    fShown = MemText->document()->toRawText();
}

QString TfMem::GetText() const
{
    // The plain text would turn no-break spaces into blanks and line
    // separators into line ends: the raw text keeps them.
    const QString raw = MemText->document()->toRawText();
    return raw == fShown ? fOriginal : KVRWithLineEndsOf(raw, fOriginal);
}

void TfMem::FormShow()
{
    MemText->setFocus();
}

void TfMem::showEvent(QShowEvent* aEvent)
{
    QDialog::showEvent(aEvent);
    FormShow();
}
