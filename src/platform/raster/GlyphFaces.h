#pragma once
// Fonts for pictures drawn without a display: the installed font files opened with FreeType, and
// their glyphs rendered in grey levels, hinted lightly, as the desktop's default font settings do.
// The program's two Japanese fonts are looked for where the distributions install them, so a batch
// picture starts no font configuration; any other family, or those two elsewhere, is found through
// fontconfig.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kl {

// One rendered glyph: grey levels (0 none .. 255 full) of a box whose top-left pixel lies `left`
// right of the pen position and `top` above the baseline.
struct GlyphImage {
    int left = 0, top = 0, width = 0, rows = 0;
    int advance = 0; // whole pixels
    bool present = false;
    std::vector<std::uint8_t> coverage; // rows x width
};

class GlyphFaces {
  public:
    class Face {
      public:
        ~Face();
        Face(const Face&) = delete;
        Face& operator=(const Face&) = delete;
        int ascent() const { return ascent_; }
        // The glyph of a character, rendered once; an empty one when the font lacks it. A glyph
        // for a turned text is not hinted: the grid it would be fitted to is not the device's.
        const GlyphImage& glyph(char32_t c, bool turned = false);

      private:
        friend class GlyphFaces;
        Face() = default;
        struct Handle;
        std::unique_ptr<Handle> handle_;
        int ascent_ = 0;
        bool bold_ = false, italic_ = false;
        std::map<std::pair<char32_t, bool>, GlyphImage> glyphs_;
    };

    GlyphFaces();
    ~GlyphFaces();
    GlyphFaces(const GlyphFaces&) = delete;
    GlyphFaces& operator=(const GlyphFaces&) = delete;

    // The face of a font family at a pixel size; nullptr when no file of it can be opened.
    // Bold and italic are made from the regular face when the family has no such face (the
    // Japanese fonts have none), as the desktop does it.
    Face* face(const std::string& family, int pixelSize, bool bold, bool italic);

  private:
    struct Library;
    struct File;
    std::unique_ptr<Library> library_;
    std::map<std::string, std::unique_ptr<File>> files_; // by family
    std::map<std::string, std::unique_ptr<Face>> faces_; // by family, size, weight and slant
};

} // namespace kl
