#include "report.h"

namespace varnel {

void Report::advanceindent() {
    if (progindent_.size() >= 5)
        progindent_ = " ";
    else
        progindent_ += ' ';
}

void Report::conline(std::string_view text) {
    if (recording())
        ops_.emplace_back(Op::conline, text);
    else
        con_->writeline(text);
}

void Report::fileline(std::string_view text) {
    if (recording())
        ops_.emplace_back(Op::fileline, text);
    else
        file_->line(text);
}

void Report::mark(std::string_view text) {
    if (recording()) {
        ops_.emplace_back(Op::mark, text);
        return;
    }
    con_->write(text);
    advanceindent();
}

void Report::indentmark(std::string_view text) {
    if (recording()) {
        ops_.emplace_back(Op::indentmark, text);
        return;
    }
    con_->write(progindent_ + std::string(text));
    advanceindent();
}

void Report::indentconline(std::string_view text) {
    if (recording()) {
        ops_.emplace_back(Op::indentconline, text);
        return;
    }
    con_->writeline(progindent_ + std::string(text));
}

void Report::replay(Report& target) {
    for (const auto& [op, text] : ops_) {
        switch (op) {
            case Op::conline: target.conline(text); break;
            case Op::fileline: target.fileline(text); break;
            case Op::mark: target.mark(text); break;
            case Op::indentmark: target.indentmark(text); break;
            case Op::indentconline: target.indentconline(text); break;
        }
    }
    ops_.clear();
}

}  // namespace varnel
