#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "docengine/OoxmlPackage.h"

// A small template written on the fly for the document engine's tests: the body XML
// below with the package parts every word processor needs around it.
namespace velantor::test {

inline const char* const kSmallTemplateBody = R"(
<w:p><w:r><w:t xml:space="preserve">Cabecera: </w:t></w:r><w:bookmarkStart w:id="0" w:name="DNICAB"/><w:bookmarkEnd w:id="0"/></w:p>
<w:p><w:bookmarkStart w:id="1" w:name="BORRADOR"/><w:r><w:t>antiguo</w:t></w:r><w:bookmarkEnd w:id="1"/></w:p>
<w:p>
  <w:r><w:t xml:space="preserve">Nombre: </w:t></w:r>
  <w:r><w:rPr><w:b/></w:rPr><w:fldChar w:fldCharType="begin"><w:ffData><w:name w:val="NOMBRE"/><w:enabled/><w:calcOnExit w:val="0"/><w:textInput/></w:ffData></w:fldChar></w:r>
  <w:r><w:instrText xml:space="preserve"> FORMTEXT </w:instrText></w:r>
  <w:r><w:fldChar w:fldCharType="separate"/></w:r>
  <w:r><w:t>&#x2002;&#x2002;&#x2002;&#x2002;&#x2002;</w:t></w:r>
  <w:r><w:fldChar w:fldCharType="end"/></w:r>
</w:p>
<w:p>
  <w:r><w:fldChar w:fldCharType="begin"><w:ffData><w:name w:val="DOMICILIO"/><w:textInput/></w:ffData></w:fldChar></w:r>
  <w:r><w:instrText xml:space="preserve"> FORMTEXT </w:instrText></w:r>
  <w:r><w:fldChar w:fldCharType="separate"/></w:r>
  <w:r><w:t>Calle Mayor 1</w:t></w:r>
</w:p>
<w:p>
  <w:r><w:t>2º izquierda</w:t></w:r>
  <w:r><w:fldChar w:fldCharType="end"/></w:r>
  <w:r><w:t xml:space="preserve"> (fin)</w:t></w:r>
</w:p>
<w:p>
  <w:r><w:fldChar w:fldCharType="begin"><w:ffData><w:name w:val="SEACOMPAÑAPETICIONSI"/><w:checkBox><w:sizeAuto/><w:default w:val="0"/></w:checkBox></w:ffData></w:fldChar></w:r>
  <w:r><w:instrText xml:space="preserve"> FORMCHECKBOX </w:instrText></w:r>
  <w:r><w:fldChar w:fldCharType="end"/></w:r>
  <w:r><w:fldChar w:fldCharType="begin"><w:ffData><w:name w:val="ACTIVO"/><w:checkBox><w:sizeAuto/><w:default/></w:checkBox></w:ffData></w:fldChar></w:r>
  <w:r><w:instrText xml:space="preserve"> FORMCHECKBOX </w:instrText></w:r>
  <w:r><w:fldChar w:fldCharType="end"/></w:r>
  <w:r><w:fldChar w:fldCharType="begin"><w:ffData><w:name w:val="OTRAS"/><w:checkBox><w:sizeAuto/><w:default w:val="1"/><w:checked w:val="false"/></w:checkBox></w:ffData></w:fldChar></w:r>
  <w:r><w:instrText xml:space="preserve"> FORMCHECKBOX </w:instrText></w:r>
  <w:r><w:fldChar w:fldCharType="end"/></w:r>
</w:p>
<w:tbl>
  <w:tblPr><w:tblW w:w="7000" w:type="dxa"/></w:tblPr>
  <w:tblGrid><w:gridCol w:w="3000"/><w:gridCol w:w="4000"/></w:tblGrid>
  <w:tr><w:trPr><w:trHeight w:val="600" w:hRule="exact"/></w:trPr>
    <w:tc><w:tcPr><w:tcW w:w="3000" w:type="dxa"/></w:tcPr><w:p><w:r><w:t>Espacio reservado</w:t></w:r></w:p></w:tc>
    <w:tc><w:tcPr><w:tcW w:w="4000" w:type="dxa"/></w:tcPr><w:p/></w:tc>
  </w:tr>
  <w:tr>
    <w:tc><w:tcPr><w:tcW w:w="3000" w:type="dxa"/></w:tcPr><w:p><w:r><w:t>a</w:t></w:r></w:p></w:tc>
    <w:tc><w:tcPr><w:tcW w:w="4000" w:type="dxa"/></w:tcPr>
      <w:tbl><w:tblGrid><w:gridCol w:w="2000"/></w:tblGrid><w:tr><w:tc><w:p><w:r><w:t>anidada</w:t></w:r></w:p></w:tc></w:tr></w:tbl>
      <w:p/>
    </w:tc>
  </w:tr>
</w:tbl>
<w:p/>
<w:tbl>
  <w:tblPr><w:tblW w:w="9000" w:type="dxa"/></w:tblPr>
  <w:tblGrid><w:gridCol w:w="4000"/><w:gridCol w:w="1000"/><w:gridCol w:w="4000"/></w:tblGrid>
  <w:tr><w:trPr><w:tblHeader/><w:trHeight w:val="400"/></w:trPr>
    <w:tc><w:tcPr><w:tcW w:w="4000" w:type="dxa"/><w:shd w:val="clear" w:color="auto" w:fill="D9D9D9"/></w:tcPr><w:p><w:pPr><w:jc w:val="center"/></w:pPr><w:r><w:rPr><w:b/><w:sz w:val="16"/></w:rPr><w:t>Curso</w:t></w:r></w:p></w:tc>
    <w:tc><w:tcPr><w:tcW w:w="1000" w:type="dxa"/><w:shd w:val="clear" w:color="auto" w:fill="D9D9D9"/></w:tcPr><w:p><w:r><w:rPr><w:b/><w:sz w:val="16"/></w:rPr><w:t>Horas</w:t></w:r></w:p></w:tc>
    <w:tc><w:tcPr><w:tcW w:w="4000" w:type="dxa"/><w:shd w:val="clear" w:color="auto" w:fill="D9D9D9"/></w:tcPr><w:p><w:r><w:rPr><w:b/><w:sz w:val="16"/></w:rPr><w:t>Centro</w:t></w:r></w:p></w:tc>
  </w:tr>
</w:tbl>
<w:p/>
<w:p><w:pPr><w:pageBreakBefore/></w:pPr><w:r><w:t>Siguiente sección</w:t></w:r></w:p>
<w:tbl>
  <w:tblGrid><w:gridCol w:w="9000"/></w:tblGrid>
  <w:tr><w:tc><w:p><w:r><w:t>última</w:t></w:r></w:p></w:tc></w:tr>
</w:tbl>
<w:sectPr><w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1134" w:right="1134" w:bottom="1134" w:left="1134" w:header="567" w:footer="567" w:gutter="0"/></w:sectPr>
)";

// Writes a word-processing package with `body` into `folder` and returns its path.
// `asTemplate` gives the main part the template content type.
inline QString writeSmallTemplate(const QString& folder,
                                  const QString& fileName = QStringLiteral("pequena.dot"),
                                  const char* body = kSmallTemplateBody, bool asTemplate = true) {
    const QByteArray mainType =
        asTemplate ? "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml"
                   : "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
    OoxmlPackage package;
    package.setPart(QStringLiteral("[Content_Types].xml"),
                    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                    "<Default Extension=\"rels\" "
                    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                    "<Override PartName=\"/word/document.xml\" ContentType=\"" +
                        mainType + "\"/></Types>");
    package.setPart(QStringLiteral("_rels/.rels"),
                    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                    "relationships/officeDocument\" Target=\"word/document.xml\"/></Relationships>");
    package.setPart(
        QStringLiteral("word/document.xml"),
        QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                   "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                   "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                   "<w:body>") +
            body + "</w:body></w:document>");
    const QString path = QDir(folder).filePath(fileName);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(package.toZip().value());
    return path;
}

// A 2 x 1 pixel picture in each format the engine takes.
inline QByteArray tinyPng() {
    return QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAIAAAABCAIAAAB7QOjdAAAADUlEQVR4nGP4zwAE/wEHAAH/4iOeWQAAAABJRU5ErkJggg==");
}

inline QByteArray tinyBmp() {
    return QByteArray::fromHex(
        "424d3e0000000000000036000000280000000200000001000000010018000000000008000000130b0000"
        "130b000000000000000000000000ffff00000000");
}

} // namespace velantor::test
