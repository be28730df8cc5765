#include "net/LineFramer.h"

namespace tc::net {

bool LineFramer::feed(std::string_view bytes, std::vector<std::string>& out) {
    while (!bytes.empty()) {
        const auto end = bytes.find(kTerminator);
        if (end == std::string_view::npos) {
            if (tail_.size() + bytes.size() > maxLine_) {
                tail_.clear();
                return false;
            }
            tail_.append(bytes);
            return true;
        }
        if (tail_.size() + end > maxLine_) {
            tail_.clear();
            return false;
        }
        tail_.append(bytes.substr(0, end));
        out.push_back(std::move(tail_));
        tail_.clear();
        bytes.remove_prefix(end + 1);
    }
    return true;
}

} // namespace tc::net
