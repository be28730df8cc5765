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

bool LineFramer::feedDiscarding(std::string_view bytes, std::vector<std::string>& out, std::size_t& dropped) {
    while (!bytes.empty()) {
        const auto end = bytes.find(kTerminator);
        const std::size_t text = end == std::string_view::npos ? bytes.size() : end;
        run_ += text;
        if (run_ > maxRun_) {
            clear();
            return false;
        }
        if (!discarding_ && tail_.size() + text > maxLine_) {
            tail_.clear();
            tail_.shrink_to_fit();
            discarding_ = true;
            ++dropped;
        }
        if (!discarding_) tail_.append(bytes.substr(0, text));
        if (end == std::string_view::npos) return true;
        if (!discarding_) out.push_back(std::move(tail_));
        tail_.clear();
        discarding_ = false;
        run_ = 0;
        bytes.remove_prefix(end + 1);
    }
    return true;
}

} // namespace tc::net
