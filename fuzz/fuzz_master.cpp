// The reference range master (KIJUN.DAT): reading it, the item list and the editor's listing and
// lines of every record read.
#include "FuzzInput.h"

#include "refrange/MasterEditor.h"
#include "refrange/ReferenceMaster.h"
#include "text/Cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    bool binary = false;
    const std::string text = kl::decodeTextFile(bytes, &binary);
    if (binary) return 0;
    std::vector<kl::ReferenceRange> records = kl::parseReferenceMaster(text);
    kl::ItemList items = kl::buildItemList(records);
    for (int i = 0; i < static_cast<int>(items.entries.size()) + 2; ++i)
        items.rangeAt(i);
    kl::listMaster(records);
    for (const kl::ReferenceRange& r : records) {
        kl::masterLine(r);
        kl::masterTextProblem(r);
    }
    return 0;
}
