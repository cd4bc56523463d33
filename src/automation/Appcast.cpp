#include "Appcast.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QVersionNumber>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace Appcast {

namespace {

const QString sparkle = u"http://www.andymatuschak.org/xml-namespaces/sparkle"_s;

// Release notes are usually a piece of HTML; the window shows them as plain text.
QString plainText(const QString& description) {
    QString text = Qt::mightBeRichText(description)
                       ? QTextDocumentFragment::fromHtml(description).toPlainText()
                       : description;
    text.replace(QChar::Nbsp, u' ');
    static const QRegularExpression blankLines(u"\\n\\s*\\n\\s*\\n"_s);
    text.replace(blankLines, u"\n\n"_s);
    return text.trimmed();
}

// Release notes are HTML, escaped or in CDATA; some feeds write the tags as elements instead,
// which a plain text read rejects as an error of the whole feed. Those are taken back as markup.
QString readMarkup(QXmlStreamReader& reader) {
    QString markup;
    for (int depth = 0; !reader.atEnd();) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            markup += u"<%1>"_s.arg(reader.name());
            break;
        case QXmlStreamReader::EndElement:
            if (depth-- == 0)
                return markup;
            markup += u"</%1>"_s.arg(reader.name());
            break;
        case QXmlStreamReader::Characters:
            // Directly in the description, text is the HTML itself; inside its elements it is text.
            markup +=
                depth == 0 ? reader.text().toString() : reader.text().toString().toHtmlEscaped();
            break;
        default:
            break;
        }
    }
    return markup;
}

// The feed's links are opened in the browser; any other scheme could start a program instead.
QUrl webAddress(const QString& text) {
    const QUrl url(text.trimmed());
    return url.isValid() && (url.scheme() == u"https" || url.scheme() == u"http") ? url : QUrl();
}

std::optional<Release> readItem(QXmlStreamReader& reader) {
    Release release;
    QString shortVersion;
    QString link;
    QString enclosure;
    while (reader.readNextStartElement()) {
        const QStringView name = reader.name();
        if (reader.namespaceUri() == sparkle) {
            if (name == u"version")
                release.build = reader.readElementText().trimmed();
            else if (name == u"shortVersionString")
                shortVersion = reader.readElementText().trimmed();
            else if (name == u"releaseNotesLink")
                release.notesLink = webAddress(reader.readElementText());
            else
                reader.skipCurrentElement();
        } else if (!reader.namespaceUri().isEmpty()) {
            reader.skipCurrentElement();
        } else if (name == u"link") {
            link = reader.readElementText().trimmed();
        } else if (name == u"description") {
            release.notes = plainText(readMarkup(reader));
        } else if (name == u"enclosure") {
            const QXmlStreamAttributes attributes = reader.attributes();
            enclosure = attributes.value(u"url"_s).trimmed().toString();
            if (release.build.isEmpty())
                release.build = attributes.value(sparkle, u"version"_s).trimmed().toString();
            if (shortVersion.isEmpty())
                shortVersion =
                    attributes.value(sparkle, u"shortVersionString"_s).trimmed().toString();
            reader.skipCurrentElement();
        } else {
            reader.skipCurrentElement();
        }
    }
    release.version = shortVersion.isEmpty() ? release.build : shortVersion;
    release.download = webAddress(enclosure.isEmpty() ? link : enclosure);
    if (QVersionNumber::fromString(release.build).isNull() || release.download.isEmpty())
        return std::nullopt;
    return release;
}

} // namespace

Result parse(const QByteArray& feed) {
    QXmlStreamReader reader(feed);
    Result result;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"item" ||
            !reader.namespaceUri().isEmpty())
            continue;
        std::optional<Release> release = readItem(reader);
        if (release && (!result.newest || compare(release->build, result.newest->build) > 0))
            result.newest = std::move(release);
    }
    if (reader.hasError()) {
        result.newest.reset();
        result.error = QCoreApplication::translate(
                           "Appcast", "The update feed is not valid XML (line %1: %2).")
                           .arg(QString::number(reader.lineNumber()), reader.errorString());
    } else if (!result.newest) {
        result.error = QCoreApplication::translate("Appcast", "The update feed lists no release.");
    }
    return result;
}

int compare(const QString& left, const QString& right) {
    qsizetype leftSuffix = 0;
    qsizetype rightSuffix = 0;
    const QVersionNumber leftNumber = QVersionNumber::fromString(left, &leftSuffix).normalized();
    const QVersionNumber rightNumber = QVersionNumber::fromString(right, &rightSuffix).normalized();
    if (const int order = QVersionNumber::compare(leftNumber, rightNumber))
        return order;
    const QStringView leftTail = QStringView(left).mid(leftSuffix);
    const QStringView rightTail = QStringView(right).mid(rightSuffix);
    if (leftTail.isEmpty() != rightTail.isEmpty())
        return leftTail.isEmpty() ? 1 : -1;
    return leftTail.compare(rightTail, Qt::CaseInsensitive);
}

bool isNewer(const Release& release, const QString& installedBuild) {
    return compare(release.build, installedBuild) > 0;
}

} // namespace Appcast
