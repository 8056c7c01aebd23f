// A PDF 1.4 writer whose pages each show raster images: the report export
// places one page picture per PDF page. The file is assembled in memory
// object by object; image objects wait in a temporary folder until EndDoc
// writes the whole file at once (all or nothing).
#pragma once

#include <QImage>
#include <memory>
#include <string>
#include <vector>

namespace os {
class TempDir;
}

// Two integers the writer keeps and never uses (it draws no text).
struct TPDFFont {
    int Size = 4;
    int Style = 12;
};

// A page picture encoded for the file. Encoding is apart from the writer, so
// pictures can be encoded in parallel and placed in order.
struct PdfImage {
    int width = 0, height = 0;
    std::string colorSpace, filter, data;
};
// An indexed 8-bit image (reduced to 8 bits first when it is not), Flate
// compressed with `compress`.
PdfImage EncodeIndexedImage(const QImage& bitmap, bool compress);
PdfImage EncodeJpegImage(const QImage& bitmap);

class TPrintPDF {
public:
    TPrintPDF();
    ~TPrintPDF();
    TPrintPDF(const TPrintPDF&) = delete;
    TPrintPDF& operator=(const TPrintPDF&) = delete;

    std::string FileName;  // written by EndDoc
    std::string TITLE, Author, Creator, Keywords, Subject, Producer;
    int PageWidth = 595;  // points, A4; may change after BeginDoc, before the first image
    int PageHeight = 842;
    int LineWidth = 1;
    TPDFFont Font;
    bool Compress = true;  // Flate for page contents and indexed images
    // The resolution the page pictures were made at: a picture is placed at
    // its true size (72 / dpi points a pixel).
    double ScreenDpiX = 96, ScreenDpiY = 96;

    int PageNumber() const { return pageNumber_; }

    void BeginDoc();
    // Places the bitmap on the current page, its top left corner x points from
    // the left and y from the top: an indexed 8-bit image, or a JPEG image.
    // A picture larger than the room right of and below that corner is
    // shrunk to it, by one scale across and down.
    void DrawPageImage(int x, int y, const QImage& bitmap);
    void DrawPageJpeg(int x, int y, const QImage& bitmap);
    void DrawImage(int x, int y, const PdfImage& image);
    void NewPage();
    // Writes the file; throws os::FileError and leaves no partial file then.
    void EndDoc();

private:
    void BeginObject();
    void Line(const std::string& text);
    void EndObject();
    void OpenContent();
    void CloseContent();
    void PlaceImage(int x, int y, int width, int height);
    // The image object's body (dictionary, "stream" and the data) to its
    // temporary file; filter empty for none.
    void SaveImageBody(int width, int height, const std::string& colorSpace, const std::string& filter,
                       const std::string& data);

    int pageNumber_ = 0;
    std::string file_;     // everything written so far
    std::string object_;   // the object being written
    std::string content_;  // drawing commands of the current page
    int objectCount_ = 0;
    long long offset_ = 0;
    std::vector<long long> offsets_;  // [i]: where object i + 1 starts; last: the xref
    std::vector<int> contentObjects_;
    size_t streamStart_ = 0;
    int imageCount_ = 0;
    std::unique_ptr<os::TempDir> temp_;
};

// Flate (zlib, default level).
std::string Deflate(const std::string& data);
