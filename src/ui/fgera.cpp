#include "fgera.h"

#include "applanguage.h"
#include "controllook.h"
#include "pictures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace vap::ui {

namespace {
constexpr Texts3 selectCaption{"&Selecionar tudo", "&Select everything", "&Seleccione todo"};
constexpr Texts3 copyCaption{"&Copiar", "&Copy", "&Copia"};
constexpr int designedButtonWidth = 121;
} // namespace

TF_Gera::TF_Gera(QWidget* parent) : FrameClosedDialog(parent) {
    setObjectName(QStringLiteral("F_Gera"));
    setWindowTitle(QStringLiteral("Código para a Geração da Janela"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(536, 359);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, designGrey);
    grey.setColor(QPalette::Base, designGrey);
    setPalette(grey);
    setAutoFillBackground(true);

    butSeleciona = new QPushButton(selectAllPicture(), QStringLiteral("&Selecionar Tudo"), this);
    butSeleciona->setObjectName(QStringLiteral("butSeleciona"));
    butSeleciona->setGeometry(64, 320, 121, 33);
    butSeleciona->setIconSize(QSize(24, 24));
    butSeleciona->setAutoDefault(false);

    memResult = new QPlainTextEdit(this);
    memResult->setObjectName(QStringLiteral("memResult"));
    memResult->setGeometry(8, 8, 513, 305);
    memResult->setFrameShape(QFrame::StyledPanel);
    memResult->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memResult->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memResult->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memResult->setTabChangesFocus(true); // Tab moves on to the next button, as in a form

    lblAviso = new QLabel(this);
    lblAviso->setObjectName(QStringLiteral("lblAviso"));
    lblAviso->setWordWrap(true);
    lblAviso->setTextFormat(Qt::PlainText);
    lblAviso->setStyleSheet(QStringLiteral("color: #a00000"));
    lblAviso->hide();

    butCopia = new QPushButton(copyPicture(), QStringLiteral("&Copiar"), this);
    butCopia->setObjectName(QStringLiteral("butCopia"));
    butCopia->setGeometry(360, 320, 121, 33);
    butCopia->setIconSize(QSize(24, 24));
    butCopia->setAutoDefault(false);

    setTabOrder(butSeleciona, memResult);
    setTabOrder(memResult, butCopia);
    connect(butSeleciona, &QPushButton::clicked, this, &TF_Gera::butSelecionaClick);
    connect(butCopia, &QPushButton::clicked, this, &TF_Gera::butCopiaClick);
    FormCreate();
}

void TF_Gera::FormCreate() {
    LanguageCode lingua = Lingua();
    if (auto caption = selectCaption.pick(lingua))
        butSeleciona->setText(qs(*caption));
    if (auto caption = copyCaption.pick(lingua))
        butCopia->setText(qs(*caption));
    // A caption longer than the designed button widens it about its centre.
    for (QPushButton* button : {butSeleciona, butCopia}) {
        int width = std::max(designedButtonWidth, button->sizeHint().width() + 12);
        QPoint centre = button->geometry().center();
        button->setGeometry(centre.x() - width / 2, button->y(), width, button->height());
    }
    comments_ = commentTextsFor(lingua);
}

void TF_Gera::fill(const GeneratedCode& code) {
    if (code.caption)
        setWindowTitle(qs(*code.caption));
    // Every line ends with a line break, the last one too, as the copied text does.
    memResult->setPlainText(qs(joinLines(code.lines, "\n")));
    lineCount_ = static_cast<int>(code.lines.size());
    // The warning takes the bottom of the text's place, which shrinks by as much.
    QRect text(8, 8, 513, 305);
    if (!code.warnings.empty()) {
        lblAviso->setText(qs(joinLines(code.warnings, "\n")).trimmed());
        int height = lblAviso->heightForWidth(text.width());
        lblAviso->setGeometry(text.left(), text.bottom() + 1 - height, text.width(), height);
        text.setBottom(text.bottom() - height - 4);
    }
    lblAviso->setVisible(!code.warnings.empty());
    memResult->setGeometry(text);
}

void TF_Gera::butSelecionaClick() {
    memResult->selectAll();
}

void TF_Gera::butCopiaClick() {
    QString selected = memResult->textCursor().selectedText();
    if (selected.isEmpty())
        return;
    selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(selected);
}

} // namespace vap::ui
