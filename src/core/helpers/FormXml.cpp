#include "core/helpers/FormXml.h"

#include "platform/os/AtomicFile.h"
#include "platform/os/CodePage.h"
#include "platform/os/Text.h"

std::string XmlEscape(const std::string& text, bool attribute) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += attribute ? "&quot;" : "\"";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string XmlWriteError(const std::string& file, const std::string& error) {
    return "Hiba történt a(z) " + file + " fájl írása során...\r" + error;
}

FormXmlWriter::FormXmlWriter(const std::string& path, SkipRule rule)
    : file_(std::make_unique<os::AtomicFileWriter>(path)), rule_(rule) {}

FormXmlWriter::~FormXmlWriter() = default;

void FormXmlWriter::Begin() { Begin({std::string("<nyomtatvanyok xmlns=\"") + kFormNamespace + "\">"}); }

void FormXmlWriter::Begin(const std::vector<std::string>& rootLines) {
    file_->Write("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n");
    for (const std::string& line : rootLines) file_->Write(os::Utf8ToCp1250(line) + "\r\n");
}

void FormXmlWriter::XmlSorIr(const std::string& name, const std::string& text, const std::string& eazon,
                             XmlLine flags) {
    if (!flags.always) {
        if (text.empty()) return;
        if (rule_ == SkipRule::EmptyOrZero) {
            const std::string trimmed = os::TrimUpToBlank(text);
            if (trimmed.empty() || trimmed == "0") return;
        }
    }
    std::string line = "<" + name;
    if (!eazon.empty()) line += " eazon=\"" + XmlEscape(eazon, true) + "\"";
    line += ">" + XmlEscape(text);
    if (flags.closed) line += "</" + name + ">";
    file_->Write(os::Utf8ToCp1250(line) + "\r\n");
}

void FormXmlWriter::Finish() { Finish("nyomtatvanyok"); }

void FormXmlWriter::Finish(const std::string& root) {
    Tag("/" + root);
    file_->Commit();
}
