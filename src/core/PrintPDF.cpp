#include "core/PrintPDF.h"

#include <jpeglib.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "platform/os/AtomicFile.h"
#include "platform/os/DayNumber.h"
#include "platform/os/TempDir.h"

namespace {

const char* const kFontNames[] = {
    "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Courier",     "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
    "Times-Roman", "Times-Bold",     "Times-Italic",      "Times-BoldItalic",
    "Symbol",      "ZapfDingbats"};

std::string Num(long long n) { return std::to_string(n); }

// Info texts go inside ( ): a bracket or backslash in them would end the
// string early and break the file.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '(' || c == ')' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }

std::string EncodeJpeg(const QImage& bitmap) {
    QImage rgb = bitmap.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        free(buffer);
        throw std::runtime_error("JPEG encoding failed");
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = rgb.width();
    cinfo.image_height = rgb.height();
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string out(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return out;
}

}  // namespace

std::string Deflate(const std::string& data) {
    uLongf size = compressBound(uLong(data.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
                  uLong(data.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib compression failed");
    out.resize(size);
    return out;
}

TPrintPDF::TPrintPDF() = default;
TPrintPDF::~TPrintPDF() = default;  // the temporary folder goes with its images

void TPrintPDF::BeginObject() {
    ++objectCount_;
    object_ = Num(objectCount_) + " 0 obj\r\n";
}

void TPrintPDF::Line(const std::string& text) { object_ += text + "\r\n"; }

void TPrintPDF::EndObject() {
    Line("endobj");
    offset_ += static_cast<long long>(object_.size());
    offsets_.push_back(offset_);
    file_ += object_;
    object_.clear();
}

void TPrintPDF::BeginDoc() {
    pageNumber_ = 1;
    objectCount_ = imageCount_ = 0;
    offsets_.clear();
    contentObjects_.clear();
    file_.clear();
    object_.clear();
    content_.clear();
    temp_ = std::make_unique<os::TempDir>("tavrina-pdf");

    file_ = "%PDF-1.4\r\n";
    offset_ = static_cast<long long>(file_.size());
    offsets_.push_back(offset_);

    BeginObject();
    Line("<<");
    Line("/Producer (" + Escaped(Producer) + ")");
    Line("/Author (" + Escaped(Author) + ")");
    Line("/CreationDate (D:" + os::FormatDateTime(os::Now(), "yyyyMMddhhmmss") + ")");
    Line("/Creator (" + Escaped(Creator) + ")");
    Line("/Keywords (" + Escaped(Keywords) + ")");
    Line("/Subject (" + Escaped(Subject) + ")");
    Line("/Title (" + Escaped(TITLE) + ")");
    Line("/ModDate ()");
    Line(">>");
    EndObject();
    OpenContent();
}

void TPrintPDF::OpenContent() {
    BeginObject();
    contentObjects_.push_back(objectCount_);
    Line("<< /Length " + Num(objectCount_ + 1) + " 0 R");
    if (Compress) Line("/Filter [/FlateDecode]");
    Line(" >>");
    streamStart_ = object_.size();
    Line("stream");
}

void TPrintPDF::CloseContent() {
    object_ += Compress ? Deflate(content_) : content_;
    content_.clear();
    Line("endstream");
    // The stream data alone: the object from its "stream" line on, less the
    // 8 bytes of "stream" and the 11 of "endstream" with their line ends.
    long long length = static_cast<long long>(object_.size() - streamStart_) - 8 - 11;
    EndObject();
    BeginObject();
    Line(Num(length));
    EndObject();
}

void TPrintPDF::NewPage() {
    CloseContent();
    ++pageNumber_;
    OpenContent();
}

void TPrintPDF::PlaceImage(int x, int y, int width, int height) {
    double w = width * 72.0 / ScreenDpiX, h = height * 72.0 / ScreenDpiY;
    // One factor for both sides, so the layout keeps its proportions; none
    // where the picture fits (an A4 picture fills an A4 page). A picture's
    // size is rounded to whole pixels: one pixel more still fits.
    const double pixel = 72.0 / std::min(ScreenDpiX, ScreenDpiY);
    double fit = 1;
    if (w > 0 && w > PageWidth - x + pixel) fit = std::max(0, PageWidth - x) / w;
    if (h > 0 && h * fit > PageHeight - y + pixel) fit = std::max(0, PageHeight - y) / h;
    w *= fit;
    h *= fit;
    long long wi = (long long)w, hi = (long long)h;
    ++imageCount_;
    content_ += "q\r\n";
    content_ += Num(wi) + " 0 0 " + Num(hi) + " " + Num(x) + " " + Num(PageHeight - y - hi) + " cm\r\n";
    content_ += "/Im" + Num(imageCount_) + " Do\r\n";
    content_ += "Q\r\n";
}

void TPrintPDF::SaveImageBody(int width, int height, const std::string& colorSpace, const std::string& filter,
                              const std::string& data) {
    std::string body;
    auto line = [&body](const std::string& s) { body += s + "\r\n"; };
    line("<< /Type /XObject");
    line("/Subtype /Image");
    line("/Width " + Num(width));
    line("/Height " + Num(height));
    line("/ColorSpace " + colorSpace);
    line("/BitsPerComponent 8");
    line("/Length " + Num(static_cast<long long>(data.size())));
    line("/Name /Im" + Num(imageCount_));
    if (!filter.empty()) line("/Filter " + filter);
    line(">>");
    line("stream");
    // A scratch file read back by EndDoc and deleted: it needs no sync.
    temp_->Write("~tmpim" + Num(imageCount_), body + data);
}

namespace {

// Qt's exact conversion to 8 bits done straight on the 24-bit picture, without
// its 32-bit copy and its per-pixel division: the palette holds the colours in
// the order they first appear, so the bytes are the same. False when the
// picture has more than 256 colours (Qt quantizes those).
bool IndexExactly(const QImage& rgb, std::string& pixels, QList<QRgb>& colors) {
    constexpr uint32_t kUsed = 1u << 24;
    constexpr int kSlots = 1024;  // open addressing, at most a quarter full
    std::vector<uint32_t> keys(kSlots, 0);
    std::vector<uchar> values(kSlots, 0);
    const int width = rgb.width(), height = rgb.height();
    pixels.resize(size_t(width) * size_t(height));
    char* out = pixels.data();
    uint32_t last = 0;  // no colour has the used bit: the first pixel looks up
    uchar lastIndex = 0;
    for (int y = 0; y < height; ++y) {
        const uchar* in = rgb.constScanLine(y);
        for (int x = 0; x < width; ++x, in += 3) {
            const uint32_t key = kUsed | uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
            if (key != last) {
                uint32_t slot = (key * 2654435761u) >> 22;
                while (keys[slot] != key && keys[slot] != 0) slot = (slot + 1) & (kSlots - 1);
                if (keys[slot] == 0) {
                    if (colors.size() == 256) return false;
                    keys[slot] = key;
                    values[slot] = uchar(colors.size());
                    colors.push_back(qRgb(in[0], in[1], in[2]));
                }
                last = key;
                lastIndex = values[slot];
            }
            *out++ = char(lastIndex);
        }
    }
    return true;
}

}  // namespace

PdfImage EncodeIndexedImage(const QImage& bitmap, bool compress) {
    std::string pixels;
    QList<QRgb> colors;
    const bool exact = bitmap.format() == QImage::Format_RGB888 && IndexExactly(bitmap, pixels, colors);
    int width = bitmap.width(), height = bitmap.height();
    if (!exact) {
        QImage indexed =
            bitmap.format() == QImage::Format_Indexed8
                ? bitmap
                : bitmap.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AutoColor);
        pixels.clear();
        pixels.reserve(size_t(indexed.width()) * indexed.height());
        for (int row = 0; row < indexed.height(); ++row)
            pixels.append(reinterpret_cast<const char*>(indexed.constScanLine(row)), size_t(indexed.width()));
        colors = indexed.colorTable();
        width = indexed.width();
        height = indexed.height();
    }
    std::string palette;
    palette.reserve(256 * 7);
    for (int i = 0; i < 256; ++i) {
        char entry[8];
        QRgb c = i < colors.size() ? colors[i] : 0;
        std::snprintf(entry, sizeof entry, "%02X%02X%02X ", qRed(c), qGreen(c), qBlue(c));
        palette += entry;
    }
    return {width, height, "[/Indexed /DeviceRGB 255 <" + palette + ">]", compress ? "[/FlateDecode]" : "",
            compress ? Deflate(pixels) : std::move(pixels)};
}

PdfImage EncodeJpegImage(const QImage& bitmap) {
    return {bitmap.width(), bitmap.height(), "/DeviceRGB", "[/DCTDecode]", EncodeJpeg(bitmap)};
}

void TPrintPDF::DrawPageImage(int x, int y, const QImage& bitmap) {
    DrawImage(x, y, EncodeIndexedImage(bitmap, Compress));
}

void TPrintPDF::DrawPageJpeg(int x, int y, const QImage& bitmap) { DrawImage(x, y, EncodeJpegImage(bitmap)); }

void TPrintPDF::DrawImage(int x, int y, const PdfImage& image) {
    PlaceImage(x, y, image.width, image.height);
    SaveImageBody(image.width, image.height, image.colorSpace, image.filter, image.data);
}

void TPrintPDF::EndDoc() {
    CloseContent();
    const int pages = int(contentObjects_.size());
    const int images = imageCount_;

    BeginObject();
    const int outlines = objectCount_;
    Line("<< /Type /Outlines");
    Line("/Count 0");
    Line(">>");
    EndObject();

    std::vector<int> fonts;
    for (int i = 0; i < 14; ++i) {
        BeginObject();
        fonts.push_back(objectCount_);
        Line("<< /Type /Font");
        Line("/Subtype /Type1");
        Line("/Name /F" + Num(i + 1));
        Line(std::string("/BaseFont /") + kFontNames[i]);
        Line("/Encoding /WinAnsiEncoding");
        Line(">>");
        EndObject();
    }

    BeginObject();
    const int g = objectCount_;
    Line("<< /Type /Pages");
    Line("/Kids [");
    for (int i = 1; i <= pages; ++i) Line(Num(g + 1 + images + i) + " 0 R");
    Line("]");
    Line("/Count " + Num(pages));
    Line(">>");
    EndObject();

    BeginObject();
    Line("<< /ProcSet [ /PDF /Text /ImageC]");
    Line("/XObject << ");
    for (int i = 1; i <= images; ++i) Line("/Im" + Num(i) + " " + Num(g + 1 + i) + " 0 R");
    Line(">>");
    Line("/Font << ");
    for (int i = 0; i < 14; ++i) Line("/F" + Num(i + 1) + " " + Num(fonts[i]) + " 0 R ");
    Line(">>");
    Line(">>");
    EndObject();

    for (int i = 1; i <= images; ++i) {
        BeginObject();
        object_ += os::ReadFile(temp_->File("~tmpim" + Num(i)));
        Line("");
        Line("endstream");
        EndObject();
    }

    for (int k = 1; k <= pages; ++k) {
        BeginObject();
        Line("<< /Type /Page");
        Line("/Parent " + Num(g) + " 0 R");
        Line("/MediaBox [ 0 0 " + Num(PageWidth) + " " + Num(PageHeight) + "]");
        Line("/Contents " + Num(contentObjects_[k - 1]) + " 0 R");
        Line("/Resources " + Num(g + 1) + " 0 R");
        Line(">>");
        EndObject();
    }

    BeginObject();
    const int catalog = objectCount_;
    Line("<< /Type /Catalog");
    Line("/Pages " + Num(g) + " 0 R");
    Line("/Outlines " + Num(outlines) + " 0 R");
    Line(">>");
    EndObject();

    // offsets_ now ends with the offset of the cross-reference table.
    std::string xref = "xref\r\n0 " + Num(catalog + 1) + "\r\n0000000000 65535 f\r\n";
    for (int n = 1; n <= catalog; ++n) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010lld 00000 n\r\n", offsets_[n - 1]);
        xref += entry;
    }
    xref += "trailer\r\n<< /Size " + Num(catalog + 1) + "\r\n/Root " + Num(catalog) +
            " 0 R\r\n/Info 1 0 R\r\n>>\r\n";
    xref += "startxref\r\n" + Num(offsets_.back()) + "\r\n%%EOF\r\n";
    file_ += xref;

    os::AtomicFileWriter out(FileName);
    out.Write(file_);
    out.Commit();
    temp_.reset();
}
