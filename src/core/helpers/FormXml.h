// The tax authority's form-import document: the declaration, the root with
// its namespace, then one line per element as the form writers give them.
// Every line ends in CR LF, the file is CP1250 without a byte-order mark, and
// it is written whole or not at all: a character CP1250 lacks or any write
// error leaves the target as it was. Texts are escaped ("&", "<", ">" in an
// element's text, also '"' in an attribute), so a name such as "Pest & Buda"
// keeps the document well formed.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace os {
class AtomicFileWriter;
}

// The form namespace of the root element.
inline constexpr char kFormNamespace[] = "http://www.apeh.hu/abev/nyomtatvanyok/2005/01";

// Which lines without the always flag are dropped: only an empty text, or
// also a text that is "0" once blanks and control characters are trimmed.
enum class SkipRule { Empty, EmptyOrZero };

// The flags of one line.
struct XmlLine {
    bool closed = false;  // the closing tag follows the text on the same line
    bool always = false;  // written whatever the text
};

class FormXmlWriter {
public:
    // Opens the temporary file beside `path`; throws os::FileError.
    explicit FormXmlWriter(const std::string& path, SkipRule rule = SkipRule::Empty);
    // Without Finish() the target is left as it was.
    ~FormXmlWriter();
    FormXmlWriter(const FormXmlWriter&) = delete;
    FormXmlWriter& operator=(const FormXmlWriter&) = delete;

    // The declaration and the root's opening tag.
    void Begin();
    // The declaration, then the root's opening tag as the given lines, written
    // as they are (a root with its namespace attributes spread over lines).
    void Begin(const std::vector<std::string>& rootLines);
    // "<" + name [+ ' eazon="' + eazon + '"'] + ">" + text [+ "</" + name + ">"],
    // when `flags.always` is set or the skip rule keeps the text. Texts are UTF-8;
    // throws os::CodePageError or os::FileError.
    void XmlSorIr(const std::string& name, const std::string& text, const std::string& eazon, XmlLine flags);
    // An opening or closing tag alone on its line ("/mezok" closes mezok).
    void Tag(const std::string& name) { XmlSorIr(name, "", "", {.closed = false, .always = true}); }
    // A one-line element written also with an empty text.
    void Element(const std::string& name, const std::string& text) {
        XmlSorIr(name, text, "", {.closed = true, .always = true});
    }
    // A cell: "mezo" with its identifier.
    void Cell(const std::string& eazon, const std::string& text, bool always = false) {
        XmlSorIr("mezo", text, eazon, {.closed = true, .always = always});
    }
    // The root's closing tag; then the file replaces the target.
    void Finish();
    void Finish(const std::string& root);

private:
    std::unique_ptr<os::AtomicFileWriter> file_;
    SkipRule rule_;
};

// XML text with "&", "<" and ">" escaped; `attribute` also escapes '"'.
std::string XmlEscape(const std::string& text, bool attribute = false);

// "Hiba történt a(z) <file> fájl írása során..." CR and the error's text.
std::string XmlWriteError(const std::string& file, const std::string& error);
