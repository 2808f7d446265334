#include "platform/fb/IdSlices.h"

#include <algorithm>

namespace fb {

namespace {
constexpr std::size_t kPerSlice = 100;
}

void selectByIds(Transaction& tr, const std::string& head, std::vector<std::int64_t> ids, const std::string& tail,
                 const std::vector<Value>& extra, const std::function<void(Cursor&)>& row) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    if (ids.empty()) return;
    std::string places = "?";
    for (std::size_t i = 1; i < kPerSlice; ++i) places += ",?";
    Statement st(tr, head + " in (" + places + ")" + tail);
    std::vector<Value> params(kPerSlice);
    params.insert(params.end(), extra.begin(), extra.end());
    for (std::size_t from = 0; from < ids.size(); from += kPerSlice) {
        for (std::size_t i = 0; i < kPerSlice; ++i) params[i] = ids[from + i < ids.size() ? from + i : from];
        st.setParams(params);
        Cursor c = st.open(tr);
        while (c.fetch()) row(c);
    }
}

}  // namespace fb
