// The document engine through its automation interface: line model,
// selection, typing, pictures, cut and paste, page breaks and failures.

#include "docx_reader.h"
#include "report_test_util.h"

#include "report/engine/docx_document.h"
#include "report/engine/image_info.h"

#include <QBuffer>
#include <QImageWriter>

#include <QtTest>

namespace {
// Lines: 0 "Title"; 1 row a0|a1|a2; 2 row b0|b1; 3 "Middle"; 4 row c0|c1; 5 "".
const char* fixture_body =
    R"(<w:p><w:pPr><w:pStyle w:val="Fancy"/></w:pPr><w:r><w:rPr><w:b/></w:rPr><w:t>Title</w:t></w:r></w:p>)"
    R"(<w:tbl><w:tblPr><w:tblW w:w="9000" w:type="dxa"/></w:tblPr><w:tblGrid><w:gridCol w:w="3000"/><w:gridCol w:w="3000"/><w:gridCol w:w="3000"/></w:tblGrid>)"
    R"(<w:tr><w:tc><w:p><w:r><w:t>a0</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>a1</w:t></w:r></w:p><w:p><w:r><w:t>second</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>a2</w:t></w:r></w:p></w:tc></w:tr>)"
    R"(<w:tr><w:tc><w:p><w:r><w:t>b0</w:t></w:r></w:p></w:tc><w:tc><w:tcPr><w:gridSpan w:val="2"/></w:tcPr><w:p><w:r><w:t>b1</w:t></w:r></w:p></w:tc></w:tr></w:tbl>)"
    R"(<w:p><w:r><w:t>Middle</w:t></w:r></w:p>)"
    R"(<w:tbl><w:tblPr/><w:tblGrid><w:gridCol w:w="4500"/><w:gridCol w:w="4500"/></w:tblGrid>)"
    R"(<w:tr><w:tc><w:p><w:r><w:rPr><w:b/></w:rPr><w:t>c0</w:t></w:r></w:p></w:tc><w:tc><w:p/></w:tc></w:tr></w:tbl><w:p/>)";

QString write_fixture(const QString& path) {
    docengine::docx_document d;
    std::string xml =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
        R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><w:body>)";
    xml += fixture_body;
    xml += "<w:sectPr/></w:body></w:document>";
    d.package().set_part_bytes("word/document.xml", xml);
    auto& styles = d.package().xml("word/styles.xml");
    auto st = styles.document_element().append_child("w:style");
    st.append_attribute("w:type") = "paragraph";
    st.append_attribute("w:styleId") = "Fancy";
    auto sz = st.append_child("w:rPr").append_child("w:sz");
    sz.append_attribute("w:val") = 28;
    d.save(path.toStdString());
    return path;
}

void call(const dispatch_ptr& d, const wchar_t* name) {
    AutoWrap(DISPATCH_METHOD, nullptr, d, name, 0);
}

docengine::hresult insert_rows(const dispatch_ptr& sel, int32_t n) {
    return AutoWrap(DISPATCH_METHOD, nullptr, sel, L"InsertRowsBelow", 1, n);
}

// Every line of a document, its cells joined by "|".
QStringList texts(const docx_reader& r) {
    QStringList out;
    for (const docx_line& l : r.lines())
        out << l.cells.join('|');
    return out;
}
} // namespace

class tst_docengine : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    dispatch_ptr app, docs, doc, sel;

    void open_fixture() {
        app = new_application();
        docs = get_object(app, L"Documents");
        const QString path = write_fixture(tmp.filePath("fixture.docx"));
        AutoWrap(DISPATCH_METHOD, nullptr, docs, L"Open", 1, path.toStdWString());
        doc = get_object(app, L"ActiveDocument");
        sel = get_object(app, L"Selection");
        QVERIFY(doc && sel);
    }

    // The caret to the start of a line, then cells to the right.
    void go(int line, int cells = 0) {
        word_home_story(sel);
        if (line)
            word_move_down(sel, line);
        if (cells)
            word_move_right_cells(sel, cells);
    }

    docx_reader save_and_read(const QString& name) {
        const QString path = tmp.filePath(name);
        AutoWrap(DISPATCH_METHOD, nullptr, doc, L"SaveAs2", 1, path.toStdWString());
        docx_reader r;
        r.open(path);
        return r;
    }

private slots:
    void init() { open_fixture(); }
    void cleanup() {
        AutoWrap(DISPATCH_METHOD, nullptr, app, L"Quit", 0);
        app = docs = doc = sel = nullptr;
    }

    void moves_by_lines_and_cells() {
        go(1, 1);
        QCOMPARE(selection_text(sel), QString("a1\rsecond\r"));
        // Past the end of a row continues in the next row.
        word_move_right_cells(sel, 2);
        QCOMPARE(selection_text(sel), QString("b0\r"));
        word_move_left_cells(sel, 1);
        QCOMPARE(selection_text(sel), QString("a2\r"));
        // Down from cell 2 into a row of two cells lands in its last cell.
        word_move_down(sel, 1);
        word_end_line(sel);
        word_type_text(sel, L"B");
        // Down from a paragraph line into a row starts at its first cell.
        go(3);
        word_move_down(sel, 1);
        word_type_text(sel, L">");
        // Beyond the last line stays on it; beyond a table's end, in its last cell.
        go(4, 5);
        word_type_text(sel, L"last");
        go(99);
        word_type_text(sel, L"end");
        // Cell moves outside a table do nothing.
        go(0, 1);
        word_type_text(sel, L"^");
        QCOMPARE(
            texts(save_and_read("moves.docx")),
            QStringList({"^Title", "a0|a1\nsecond|a2", "b0|b1B", "Middle", ">c0|last", "end"}));
    }

    void inserted_rows_copy_formatting_not_content() {
        // Row a (three cells, one of two paragraphs) copied twice below itself.
        go(1, 1);
        QCOMPARE(insert_rows(sel, 2), docengine::s_ok);
        // The caret waits in the first cell of the first new row.
        word_type_text(sel, L"n0");
        word_move_right_cells(sel, 3);
        word_type_text(sel, L"n3");
        // Outside a table, and asked for no row, it refuses and changes nothing.
        go(0);
        QVERIFY(insert_rows(sel, 1) != docengine::s_ok);
        word_move_down(sel, 1);
        QVERIFY(insert_rows(sel, 0) != docengine::s_ok);

        docx_reader r = save_and_read("rows.docx");
        QCOMPARE(r.problem(), QString());
        QCOMPARE(texts(r), QStringList({"Title", "a0|a1\nsecond|a2", "n0||", "n3||", "b0|b1",
                                        "Middle", "c0|", ""}));
    }

    void types_over_selection_and_at_caret() {
        go(1, 1);
        word_type_text(sel, L"replaced");
        // EndKey then TypeText appends to a label cell, keeping its run format.
        go(4);
        word_end_line(sel);
        word_type_text(sel, L": value");
        // Characters: a run is split where the caret stands.
        go(0);
        word_move_right_chars(sel, 2);
        word_type_text(sel, L"-");
        // Tabs and line feeds stay inside the line; control characters are dropped.
        go(3);
        word_end_line(sel);
        word_type_text(sel, L" a\tb\r\nc\x01<&>\U0001F600");
        // A narrow string goes through the conversion buffer.
        std::wstring buffer;
        go(2);
        word_home_line(sel);
        word_type_text(sel, "\xe4\xb8\xad", buffer);

        docx_reader r = save_and_read("typed.docx");
        QCOMPARE(texts(r), QStringList({"Ti-tle", "a0|replaced|a2", "中b0|b1",
                                        "Middle a\tb\nc<&>\U0001F600", "c0: value|", ""}));
        // The appended text carries the label's bold run properties.
        auto appended = r.body().select_node("//w:t[.=': value']").node().parent();
        QVERIFY(appended.child("w:rPr").child("w:b"));
        // The split title keeps its bold on both halves and the new run.
        QCOMPARE(int(r.body().first_child().select_nodes("w:r/w:rPr/w:b").size()), 3);
    }

    void font_size_applies_to_typed_runs() {
        dispatch_ptr font = get_object(sel, L"Font");
        go(0);
        QCOMPARE(get_int(font, L"Size"), 14); // from the paragraph style
        AutoWrap(DISPATCH_PROPERTYPUT, nullptr, font, L"Size", 1, int32_t(22));
        QCOMPARE(get_int(font, L"Size"), 22);
        word_type_text(sel, L"Big");
        word_type_text(sel, L"Big2");
        // Moving the caret drops the pending size.
        go(3);
        word_type_text(sel, L"Plain");
        // Out-of-range sizes are refused.
        QVERIFY(AutoWrap(DISPATCH_PROPERTYPUT, nullptr, font, L"Size", 1, int32_t(0)) != 0);

        docx_reader r = save_and_read("sizes.docx");
        QCOMPARE(r.body().select_nodes("//w:r[w:t='Big']/w:rPr/w:sz[@w:val='44']").size(),
                 size_t(1));
        QCOMPARE(r.body().select_nodes("//w:r[w:t='Big2']/w:rPr/w:szCs[@w:val='44']").size(),
                 size_t(1));
        QVERIFY(!r.body().select_node("//w:r[w:t='Plain']/w:rPr/w:sz"));
        // Schema order: size after bold inside the run properties.
        auto rpr = r.body().select_node("//w:r[w:t='Big']/w:rPr").node();
        QCOMPARE(QString(rpr.first_child().name()), QString("w:b"));
    }

    void pictures_are_inline_and_sized_in_points() {
        const QString jpg = write_picture(tmp.filePath("p.jpg"), 640, 480);
        const QString png = write_picture(tmp.filePath("p.png"), 100, 50, "PNG");
        dispatch_ptr shapes = get_object(sel, L"InlineShapes");
        go(4);
        word_add_picture(shapes, jpg.toStdWString()); // natural size, 96 dpi
        word_move_right_cells(sel, 1);
        word_add_picture(shapes, png.toStdWString(), 160, 80);  // sized
        word_add_picture(shapes, jpg.toStdWString(), 160, 120); // same bytes again
        QCOMPARE(get_int(shapes, L"Count"), 3);

        docx_reader r = save_and_read("pictures.docx");
        QCOMPARE(r.problem(), QString());
        auto pics = r.pictures();
        QCOMPARE(extents(pics),
                 QVector<QSize>({QSize(640 * 9525, 480 * 9525), QSize(160 * 12700, 80 * 12700),
                                 QSize(160 * 12700, 120 * 12700)}));
        // Identical pictures share one media part.
        QCOMPARE(pics[0].rel_id, pics[2].rel_id);
        auto lines = r.lines();
        QCOMPARE(lines[4].cell_pictures, std::vector<int>({1, 2}));
        // The extent in the graphic matches the inline extent.
        auto ext = r.body().select_node("(//pic:spPr/a:xfrm/a:ext)[2]").node();
        QCOMPARE(ext.attribute("cx").as_llong(), 160LL * 12700);
    }

    void picture_headers_give_type_and_size() {
        auto encode = [](const char* format, bool progressive) {
            QImage img(123, 45, QImage::Format_RGB32);
            img.fill(Qt::red);
            QBuffer buf;
            buf.open(QIODevice::WriteOnly);
            QImageWriter w(&buf, format);
            w.setProgressiveScanWrite(progressive);
            w.write(img);
            return buf.data().toStdString();
        };
        // Camera pictures carry large metadata segments before the frame
        // header, with fill bytes that look like markers.
        std::string exif = encode("jpeg", false);
        exif.insert(2, std::string("\xFF\xE1\x40\x02") + std::string(0x4000, '\xFF'));
        const std::pair<std::string, std::string> good[] = {{encode("jpeg", false), "jpeg"},
                                                            {encode("jpeg", true), "jpeg"},
                                                            {exif, "jpeg"},
                                                            {encode("png", false), "png"},
                                                            {encode("bmp", false), "bmp"}};
        for (const auto& g : good) {
            docengine::image_info info;
            QVERIFY2(docengine::read_image_info(g.first, info), g.second.c_str());
            QCOMPARE(QSize(info.width, info.height), QSize(123, 45));
            QCOMPARE(info.content_type, "image/" + g.second);
        }
        // Truncated or foreign data is refused.
        docengine::image_info info;
        QVERIFY(!docengine::read_image_info(encode("jpeg", false).substr(0, 20), info));
        QVERIFY(!docengine::read_image_info("GIF", info));
        QVERIFY(!docengine::read_image_info(std::string(), info));
    }

    void failures_are_logged_and_change_nothing() {
        test_log log;
        // A file that is not a picture, and one that does not exist.
        QFile junk(tmp.filePath("junk.jpg"));
        junk.open(QIODevice::WriteOnly);
        junk.write("not a picture");
        junk.close();
        dispatch_ptr shapes = get_object(sel, L"InlineShapes");
        word_add_picture(shapes, junk.fileName().toStdWString(), 10, 10);
        word_add_picture(shapes, tmp.filePath("missing.jpg").toStdWString());
        QCOMPARE(log.count("IDispatch::Invoke(\"AddPicture\"="), 2);
        QCOMPARE(log.count("NULL IDispatch passed to AutoWrap"), 2); // Width and Height on no shape

        log.mark();
        AutoWrap(DISPATCH_METHOD, nullptr, sel, L"Teleport", 1, int32_t(3));
        QVERIFY(log.text().contains(
            "IDispatch::GetIDsOfNames(\"Teleport\") failed w/err 0x80020006\n"));
        log.mark();
        AutoWrap(DISPATCH_METHOD, nullptr, sel, L"MoveDown", 2, std::wstring(L"x"), int32_t(5));
        QCOMPARE(log.count("IDispatch::Invoke(\"MoveDown\"="), 1);
        QVERIFY(log.text().contains("failed w/err 0x80020005"));
        log.mark();
        word_move_down(nullptr, 1);
        QVERIFY(log.text().contains("NULL IDispatch passed to AutoWrap"));

        // Saving where no file can be written fails.
        log.mark();
        AutoWrap(DISPATCH_METHOD, nullptr, doc, L"SaveAs2", 1,
                 tmp.filePath("no/such/dir/x.docx").toStdWString());
        QCOMPARE(log.count("IDispatch::Invoke(\"SaveAs2\"="), 1);
        QVERIFY(!QFile::exists(tmp.filePath("no/such/dir/x.docx")));

        // Member names are matched without regard to case.
        log.mark();
        AutoWrap(DISPATCH_METHOD, nullptr, sel, L"typetext", 1, std::wstring(L"ok"));
        QCOMPARE(log.text(), QString());
        // Calls on a closed document are refused.
        AutoWrap(DISPATCH_METHOD, nullptr, doc, L"Close", 1, int32_t(0));
        log.mark();
        word_type_text(sel, L"late");
        QVERIFY(log.text().contains("IDispatch::Invoke(\"TypeText\"="));
        QVERIFY(log.text().contains("0x80010108"));
    }

    void cut_and_paste_carry_pictures_styles_and_ids() {
        const QString jpg = write_picture(tmp.filePath("c.jpg"), 64, 48);
        const QString png = write_picture(tmp.filePath("c.png"), 32, 32, "PNG");
        dispatch_ptr shapes = get_object(sel, L"InlineShapes");
        go(4);
        word_add_picture(shapes, jpg.toStdWString(), 50, 40);
        word_move_right_cells(sel, 1);
        word_add_picture(shapes, png.toStdWString(), 30, 30);

        // The target already holds a picture with the same drawing id.
        AutoWrap(DISPATCH_METHOD, nullptr, docs, L"Add", 0);
        dispatch_ptr target = get_object(app, L"ActiveDocument");
        dispatch_ptr target_sel = get_object(app, L"Selection");
        word_add_picture(get_object(target_sel, L"InlineShapes"), png.toStdWString(), 20, 20);
        word_type_text(target_sel, L"before");

        call(sel, L"WholeStory");
        call(sel, L"Cut");
        AutoWrap(DISPATCH_METHOD, nullptr, target_sel, L"InsertBreak", 1, int32_t(7));
        AutoWrap(DISPATCH_METHOD, nullptr, target_sel, L"PasteAndFormat", 1, int32_t(16));
        word_type_text(target_sel, L"after");

        // The source is left with one empty paragraph.
        QCOMPARE(texts(save_and_read("cut_source.docx")), QStringList({""}));

        const QString out = tmp.filePath("pasted.docx");
        AutoWrap(DISPATCH_METHOD, nullptr, target, L"SaveAs2", 1, out.toStdWString());
        docx_reader r;
        QVERIFY(r.open(out));
        QCOMPARE(r.problem(), QString());
        // The break stays behind the text it follows; the caret ends after the pasted story.
        QCOMPARE(texts(r), QStringList({"before", "Title", "a0|a1\nsecond|a2", "b0|b1", "Middle",
                                        "c0|", "", "after"}));
        const auto lines = r.lines();
        QVERIFY(lines[0].page_break && !lines[1].page_break);
        QCOMPARE(lines[5].cell_pictures, std::vector<int>({1, 1}));
        QCOMPARE(extents(r.pictures()),
                 QVector<QSize>({QSize(20 * 12700, 20 * 12700), QSize(50 * 12700, 40 * 12700),
                                 QSize(30 * 12700, 30 * 12700)}));
        // The pasted paragraph's style came along.
        pugi::xml_document styles;
        styles.load_string(r.parts["word/styles.xml"].c_str());
        QVERIFY(styles.select_node("//w:style[@w:styleId='Fancy']"));
        // Paste with nothing cut fails; a bare caret cannot be cut.
        test_log log;
        call(target_sel, L"Cut");
        QVERIFY(log.text().contains("IDispatch::Invoke(\"Cut\"="));
    }
};

QTEST_MAIN(tst_docengine)
#include "tst_docengine.moc"
