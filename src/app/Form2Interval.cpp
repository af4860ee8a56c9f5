// BUTTON159 "基準範囲の推定" of the graph window: the reference-interval window for the data shown,
// with the probability-plot interval of the last drawing beside the methods.

#include "app/Form15.h"
#include "app/Form2.h"
#include "data/DataSet.h"

namespace kl {

void Form2::BUTTON159_ON() {
    ReferenceIntervalInput input;
    input.values = values_;
    input.fileLine = graphFileLine(source_.pastedUnsaved ? std::string{} : source_.sourcePath,
                                   static_cast<long>(values_.size()));
    input.decimals = source_.decimalPlaces;
    input.targetLower = source_.reference.lowerLimit;
    input.targetUpper = source_.reference.upperLimit;
    if (drawing_.lower.found && drawing_.upper.found)
        input.plot = {true, drawing_.lower.value, drawing_.upper.value};
    openReferenceIntervals(services_, this, std::move(input), {},
                           [this](const std::function<void()>& h) { guarded(h); });
}

} // namespace kl
