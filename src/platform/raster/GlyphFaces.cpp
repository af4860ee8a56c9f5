#include "platform/raster/GlyphFaces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstring>

namespace kl {

struct GlyphFaces::Library {
    FT_Library ft = nullptr;
    Library() {
        if (FT_Init_FreeType(&ft) != 0) ft = nullptr;
    }
    ~Library() {
        if (ft) FT_Done_FreeType(ft);
    }
};

// A font file opened once for all its sizes: the hinter's view of its characters is worked out
// once a face, which for a font of thousands of characters is most of the cost of the first glyph.
struct GlyphFaces::File {
    FT_Face face = nullptr;
    ~File() {
        if (face) FT_Done_Face(face);
    }
};

// One size of an opened file.
struct GlyphFaces::Face::Handle {
    FT_Face face = nullptr;
    FT_Size size = nullptr; // belongs to the face
};

namespace {

// Where the distributions put the IPA fonts (Debian and Ubuntu, their alternatives links, Fedora,
// Arch); a file is taken only when its family name is the one asked for.
std::vector<std::string> knownFiles(const std::string& family) {
    struct Known {
        const char* family;
        const char* file;     // ipag.ttf ...
        const char* debian;   // the Debian package's folder
        const char* fedora;   // Fedora's folder
        const char* fallback; // Debian's alternatives link, for the two fonts that have one
    };
    static const Known known[] = {
        {"IPAGothic", "ipag.ttf", "opentype/ipafont-gothic", "ipa-gothic",
         "truetype/fonts-japanese-gothic.ttf"},
        {"IPAMincho", "ipam.ttf", "opentype/ipafont-mincho", "ipa-mincho",
         "truetype/fonts-japanese-mincho.ttf"},
        {"IPAPGothic", "ipagp.ttf", "opentype/ipafont-gothic", "ipa-pgothic", nullptr},
        {"IPAPMincho", "ipamp.ttf", "opentype/ipafont-mincho", "ipa-pmincho", nullptr},
    };
    const std::string root = "/usr/share/fonts/";
    for (const Known& k : known) {
        if (family != k.family) continue;
        std::vector<std::string> files = {root + k.debian + "/" + k.file, root + k.fedora + "/" + k.file,
                                          root + "OTF/" + k.file, root + "TTF/" + k.file};
        if (k.fallback) files.push_back(root + k.fallback);
        return files;
    }
    return {};
}

// What fontconfig chooses for the family: the desktop's own choice, at the cost of reading its
// configuration (tens of milliseconds), so only when the known places fail.
std::string fontconfigFile(const std::string& family) {
    if (!FcInit()) return {};
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return {};
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    FcChar8* path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
        file = reinterpret_cast<const char*>(path);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

bool familyIs(FT_Face face, const std::string& family) {
    return face->family_name && family == face->family_name;
}

// Opens the family's file; the known places first, each checked for the family's name.
FT_Face openFamily(FT_Library library, const std::string& family) {
    for (const std::string& file : knownFiles(family)) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, file.c_str(), 0, &face) != 0) continue;
        if (familyIs(face, family)) return face;
        FT_Done_Face(face);
    }
    const std::string file = fontconfigFile(family);
    FT_Face face = nullptr;
    if (file.empty() || FT_New_Face(library, file.c_str(), 0, &face) != 0) return nullptr;
    return face;
}

} // namespace

GlyphFaces::GlyphFaces() : library_(std::make_unique<Library>()) {}

GlyphFaces::~GlyphFaces() {
    faces_.clear(); // the sizes before their files, the files before the library
    files_.clear();
}

GlyphFaces::Face* GlyphFaces::face(const std::string& family, int pixelSize, bool bold, bool italic) {
    const std::string key =
        family + '\n' + std::to_string(pixelSize) + (bold ? "b" : "") + (italic ? "i" : "");
    if (auto it = faces_.find(key); it != faces_.end()) return it->second.get();
    auto file = files_.find(family);
    if (file == files_.end()) {
        // A family that cannot be opened is not looked for again.
        auto opened = std::make_unique<File>();
        if (library_->ft) opened->face = openFamily(library_->ft, family);
        file = files_.emplace(family, std::move(opened)).first;
    }
    std::unique_ptr<Face> made;
    FT_Face f = file->second->face;
    FT_Size size = nullptr;
    if (f && FT_New_Size(f, &size) == 0) {
        made.reset(new Face);
        made->handle_ = std::make_unique<Face::Handle>(Face::Handle{f, size});
        FT_Activate_Size(size);
        FT_Set_Pixel_Sizes(f, 0, FT_UInt(std::max(1, pixelSize)));
        // The baseline lies at the font's exact ascent rounded to a pixel, as a window draws a
        // text's top at the ascent; FreeType's own size metrics round the ascent up.
        made->ascent_ = int((FT_MulFix(f->ascender, size->metrics.y_scale) + 32) >> 6);
        // A face of its own weight or slant is used as it is; the rest is synthesised.
        made->bold_ = bold && !(f->style_flags & FT_STYLE_FLAG_BOLD);
        made->italic_ = italic && !(f->style_flags & FT_STYLE_FLAG_ITALIC);
    }
    Face* face = made.get();
    faces_.emplace(key, std::move(made));
    return face;
}

GlyphFaces::Face::~Face() = default;

const GlyphImage& GlyphFaces::Face::glyph(char32_t c, bool turned) {
    if (auto it = glyphs_.find({c, turned}); it != glyphs_.end()) return it->second;
    GlyphImage& g = glyphs_[{c, turned}];
    FT_Face f = handle_->face;
    FT_Activate_Size(handle_->size);
    const FT_UInt index = FT_Get_Char_Index(f, FT_ULong(c));
    if (index == 0 ||
        FT_Load_Glyph(f, index, turned ? FT_LOAD_NO_HINTING : FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0)
        return g;
    FT_GlyphSlot slot = f->glyph;
    if (bold_) FT_GlyphSlot_Embolden(slot);
    if (italic_) FT_GlyphSlot_Oblique(slot);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_LIGHT) != 0) return g;
    g.present = true;
    g.advance = int((slot->advance.x + 32) >> 6);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    const FT_Bitmap& b = slot->bitmap;
    g.width = int(b.width);
    g.rows = int(b.rows);
    g.coverage.assign(std::size_t(g.width) * std::size_t(g.rows), 0);
    for (int y = 0; y < g.rows; ++y) {
        const unsigned char* row = b.buffer + std::ptrdiff_t(y) * b.pitch;
        std::uint8_t* out = g.coverage.data() + std::size_t(y) * std::size_t(g.width);
        for (int x = 0; x < g.width; ++x) {
            switch (b.pixel_mode) {
            case FT_PIXEL_MODE_MONO:
                out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                break;
            case FT_PIXEL_MODE_GRAY:
                out[x] =
                    b.num_grays == 256 ? row[x] : std::uint8_t(row[x] * 255 / std::max(1, b.num_grays - 1));
                break;
            default: // colour or sub-pixel strikes: not in the fonts this draws with
                out[x] = 0;
            }
        }
    }
    return g;
}

} // namespace kl
