#include "docs/manualbuilder/pdfbook.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <memory>
#include <stdexcept>
#include <vector>

namespace tarvena::manual {

namespace {

// Layout units are pixels at 96 dpi, so point sizes and picture sizes mean what they say.
constexpr int kDpi = 96;
constexpr double kMm = kDpi / 25.4;
const QRectF kSheet(0, 0, 210 * kMm, 297 * kMm);
const QRectF kBody = kSheet.adjusted(22 * kMm, 20 * kMm, -18 * kMm, -22 * kMm);
const QColor kHeadingColour(22, 58, 102); // the logo's rim
const QLatin1String kFontFamily("DejaVu Sans");

struct Heading
{
    QString text;
    int level;
    int page; // 0-based within its document
};

std::unique_ptr<QTextDocument> newDocument(QPaintDevice *device)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(device);
    doc->setDefaultFont(QFont(kFontFamily, 10));
    doc->setDocumentMargin(0);
    doc->setPageSize(kBody.size());
    return doc;
}

// The sheet a block starts on, in a paginated document.
int pageOf(QTextDocument &doc, const QTextBlock &block)
{
    return static_cast<int>(doc.documentLayout()->blockBoundingRect(block).top() / kBody.height());
}

void styleHeadings(QTextDocument &doc)
{
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0)
            continue;
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        if (level == 1 && !first)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        format.setTopMargin(level == 1 ? 0 : 14);
        format.setBottomMargin(6);
        cursor.setBlockFormat(format);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat colour;
        colour.setForeground(kHeadingColour);
        cursor.mergeCharFormat(colour);
        first = false;
    }
}

void styleTables(QTextFrame *frame)
{
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(0.5);
            format.setBorderBrush(QColor(170, 170, 170));
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setCellSpacing(0);
            format.setCellPadding(3);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(format);
        }
        styleTables(child);
    }
}

// Gives every picture its image and a width that fits the text; a name without a picture is an error.
void placePictures(QTextDocument &doc, const QMap<QString, QImage> &pictures)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QString url = format.name();
            const QString name = url.section(QLatin1Char(':'), 1);
            if (!pictures.contains(name))
                throw std::runtime_error(
                    QStringLiteral("Нет картинки «%1»: такой страницы или окна в программе нет.")
                        .arg(url)
                        .toStdString());
            const QImage &image = pictures[name];
            doc.addResource(QTextDocument::ImageResource, QUrl(url), image);
            const double width = std::min<double>(kBody.width(), image.width());
            format.setWidth(width);
            format.setHeight(width * image.height() / image.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
            QTextBlockFormat centred = block.blockFormat();
            centred.setAlignment(Qt::AlignHCenter);
            centred.setTopMargin(6);
            cursor.setBlockFormat(centred);
        }
    }
}

// A heading left alone at the foot of a sheet, its text or picture on the next, moves to that sheet.
void keepHeadingsWithText(QTextDocument &doc)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (block.blockFormat().headingLevel() == 0 || !next.isValid() ||
            pageOf(doc, next) == pageOf(doc, block))
            continue;
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }
}

std::vector<Heading> headings(QTextDocument &doc)
{
    std::vector<Heading> found;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 1 || level == 2)
            found.push_back({block.text(), level, pageOf(doc, block)});
    }
    return found;
}

QString contentsHtml(const std::vector<Heading> &entries, int firstBodySheet)
{
    QString html =
        QStringLiteral("<h1 style=\"color:%1\">Содержание</h1><table width=\"100%\" cellpadding=\"2\">")
            .arg(kHeadingColour.name());
    for (const Heading &entry : entries) {
        const QString title = entry.text.toHtmlEscaped();
        html += entry.level == 1
                    ? QStringLiteral("<tr><td><b>%1</b></td><td align=\"right\"><b>%2</b></td></tr>")
                    : QStringLiteral(
                          "<tr><td>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;%1</td><td align=\"right\">%2</td></tr>");
        html = html.arg(title).arg(firstBodySheet + entry.page);
    }
    return html + QStringLiteral("</table>");
}

QString titleHtml(const BookText &text)
{
    return QStringLiteral("<div align=\"center\">"
                          "<p style=\"font-size:40pt; font-weight:bold; color:%1\">Tarvena</p>"
                          "<p><img src=\"window:logo\" width=\"160\" height=\"160\"></p>"
                          "<p style=\"font-size:13pt\">%2</p><p>&nbsp;</p>"
                          "<p style=\"font-size:26pt; font-weight:bold\">%3</p><p>&nbsp;</p>"
                          "<p style=\"font-size:12pt\">Версия %4</p></div>")
        .arg(kHeadingColour.name(), text.subtitle.toHtmlEscaped(), text.title.toHtmlEscaped(), text.version);
}

void drawPage(QPainter &painter, QTextDocument &doc, int page, const QRectF &area)
{
    painter.save();
    painter.translate(area.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), area.size()));
    painter.translate(0, -page * area.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page * area.height(), area.width(), area.height());
    context.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

void drawFrame(QPainter &painter, const QString &running, int sheet)
{
    painter.save();
    painter.setFont(QFont(kFontFamily, 8));
    painter.setPen(QColor(110, 110, 110));
    const double top = kBody.top() - 9 * kMm;
    painter.drawText(QRectF(kBody.left(), top, kBody.width(), 6 * kMm), Qt::AlignLeft | Qt::AlignBottom,
                     running);
    painter.drawLine(QPointF(kBody.left(), top + 7 * kMm), QPointF(kBody.right(), top + 7 * kMm));
    painter.setFont(QFont(kFontFamily, 9));
    painter.drawText(QRectF(kBody.left(), kBody.bottom() + 8 * kMm, kBody.width(), 6 * kMm), Qt::AlignCenter,
                     QString::number(sheet));
    painter.restore();
}

} // namespace

void writeManualPdf(const BookText &text, const QMap<QString, QImage> &pictures, const QString &output)
{
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(
            QStringLiteral("Не удалось создать «%1»: %2.").arg(output, file.errorString()).toStdString());
    QPdfWriter writer(&file);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setTitle(QStringLiteral("Tarvena. ") + text.title);
    writer.setCreator(QStringLiteral("Tarvena ") + text.version);

    auto body = newDocument(&writer);
    body->setMarkdown(text.markdown, QTextDocument::MarkdownDialectGitHub);
    styleHeadings(*body);
    styleTables(body->rootFrame());
    placePictures(*body, pictures);
    keepHeadingsWithText(*body);
    const std::vector<Heading> entries = headings(*body);

    // The contents' length does not depend on its numbers, so one layout tells where the text begins.
    auto contents = newDocument(&writer);
    contents->setHtml(contentsHtml(entries, 0));
    const int firstBodySheet = 1 + contents->pageCount() + 1;
    contents->setHtml(contentsHtml(entries, firstBodySheet));

    auto title = newDocument(&writer);
    title->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("window:logo")),
                       pictures.value("logo"));
    title->setHtml(titleHtml(text));

    QPainter painter(&writer);
    drawPage(painter, *title, 0, kBody.adjusted(0, kBody.height() / 6, 0, 0));
    const QString running = QStringLiteral("Tarvena. ") + text.title;
    int sheet = 1;
    for (QTextDocument *doc : {contents.get(), body.get()}) {
        for (int page = 0; page < doc->pageCount(); ++page) {
            writer.newPage();
            ++sheet;
            drawPage(painter, *doc, page, kBody);
            drawFrame(painter, running, sheet);
        }
    }
    if (!painter.end() || !file.commit())
        throw std::runtime_error(QStringLiteral("Не удалось записать «%1».").arg(output).toStdString());
}

} // namespace tarvena::manual
