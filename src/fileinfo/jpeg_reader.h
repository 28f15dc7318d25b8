#pragma once

// Reads a JPEG file into memory and walks its marker segments: picture size and
// colour depth from the start-of-frame segment, the comments, the JFIF version,
// density and thumbnail size, and whether EXIF or Photoshop segments are there.
// Damaged input ends the walk with a reason in ErrorMsg(); nothing is shown to
// the user and the file is never written.

#include <QByteArray>
#include <QList>
#include <QString>

namespace velmar {

class Cls_JPEG {
public:
    struct Segment {
        QString marker;  // "FFE0"
        qint64 position; // 1-based position of the marker in the file
        qint64 length;   // marker and segment bytes
    };

    // True when the file was read and its markers walked.
    bool ReadInJPEGfile(const QString& path);

    const QString& SourceFilename() const { return m_sourceFilename; }
    qint32 FileSizeSourceJPEG() const { return m_fileSize; }
    bool ParsedWithoutProblems() const { return m_parsedWithoutProblems; }
    bool HasPreview() const { return m_hasPreview; }
    bool HasEXIFHeader() const { return m_hasExifHeader; }
    bool HasPhotoShopComments() const { return m_hasPhotoShopComments; }
    const QString& JPEGVersion() const { return m_jpegVersion; }
    const QString& Resolution() const { return m_resolution; }
    qint32 XsizePreview() const { return m_xsizePreview; }
    qint32 YsizePreview() const { return m_ysizePreview; }
    qint32 XsizePicture() const { return m_xsizePicture; }
    qint32 YsizePicture() const { return m_ysizePicture; }
    qint32 ColorDepthInBit() const { return m_colorDepthInBit; }
    const QString& ColorDepthAsText() const { return m_colorDepthAsText; }
    int HowManyComments() const { return static_cast<int>(m_comments.size()); }
    // Comment i, 1 <= i <= HowManyComments(); "" otherwise.
    QString Comment(int index) const;
    const QList<Segment>& Segments() const { return m_segments; }
    const QString& ErrorMsg() const { return m_errorMsg; }

private:
    void reset();
    bool ReadFileIntoBuffer();
    bool ParseFile();
    bool walkSegments();
    bool readSegment(qint64& p);
    void readJfif(qint64 p);
    void readComment(qint64 p);
    void readFrame(qint64 p);
    qint64 endOfScan(qint64 p, qint64 length);

    // 1-based reads into the buffer; out of range sets m_outOfRange and gives 0.
    int byteAt(qint64 position);
    int wordAt(qint64 position);
    QString markerAt(qint64 position);

    QString m_sourceFilename;
    qint32 m_fileSize = 0;
    QByteArray m_buffer;
    bool m_parsedWithoutProblems = false;
    bool m_hasPreview = false;
    bool m_hasExifHeader = false;
    bool m_hasPhotoShopComments = false;
    QString m_jpegVersion;
    QString m_resolution;
    qint32 m_xsizePreview = 0;
    qint32 m_ysizePreview = 0;
    qint32 m_xsizePicture = 0;
    qint32 m_ysizePicture = 0;
    qint32 m_colorDepthInBit = 0;
    QString m_colorDepthAsText;
    QList<QString> m_comments;
    QList<Segment> m_segments;
    QString m_errorMsg;
    bool m_outOfRange = false;
};

} // namespace velmar
