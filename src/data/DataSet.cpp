#include "data/DataSet.h"

#include "text/Mask.h"
#include "text/Text.h"

namespace kl {

double DataSet::number(int i) const {
    return leadingNumber(value(i));
}

std::vector<double> DataSet::numbers() const {
    return leadingNumbers(values);
}

std::string DataSet::list1Row(int row, std::string_view valueText) {
    std::string out = " ";
    out += formatMask(row, "#####");
    out += " | ";
    out += valueText;
    out += blanks(28);
    return out;
}

std::vector<double> leadingNumbers(const std::vector<std::string>& texts) {
    std::vector<double> out;
    out.reserve(texts.size());
    for (const auto& t : texts)
        out.push_back(leadingNumber(t));
    return out;
}

} // namespace kl
