// Evaluation of expression texts: the parsed form kept for reuse, the cache
// of parsed forms, and the evaluation that applies every operation at once.

#include <QHash>
#include <exception>
#include <vector>

#include "report/engine/expr_internal.h"
#include "report/engine/expr_scanner.h"
#include "report/engine/expression.h"

namespace {

using expr::Op;

struct Instruction {
    enum Code : std::uint8_t { Constant, Reference, NamedReference, Unary, Binary, Call, Fail };
    Code code;
    Op op;
    short builtin;
    int argument;  // constant index, reference code, name index or error code
    int position;
};

// Records the operations of one reading of the text.
class RecordingSink {
  public:
    explicit RecordingSink(TExprProgram& program) : program_(program) {}
    bool Constant(const TCalcType& value);
    bool Reference(int code);
    bool NamedReference(char16_t prefix, const QString& name, int position);
    bool Unary(Op op, int position);
    bool Binary(Op op, int position);
    bool Call(int builtin, int position);
    void Fail(int error, int position);
    void Finish(bool empty);

  private:
    TExprProgram& program_;
};

// Applies every operation as soon as the scanner hands it over.
class EvaluatingSink {
  public:
    bool Constant(const TCalcType& value) {
        stack_.push_back(value);
        return true;
    }
    bool Reference(int code) {
        stack_.emplace_back();
        if (code >= 0) {
            expr::LoadReference(code, stack_.back());
        }
        return true;
    }
    bool NamedReference(char16_t prefix, const QString& name, int position) {
        expr::Reference reference;
        reference.prefix = prefix;
        reference.name = name;
        stack_.emplace_back();
        return Check(expr::ResolveReference(reference, stack_.back()), position);
    }
    bool Unary(Op op, int position) { return Check(expr::ApplyUnary(op, stack_.back()), position); }
    bool Binary(Op op, int position) {
        TCalcType right = std::move(stack_.back());
        stack_.pop_back();
        return Check(expr::ApplyBinary(op, stack_.back(), right), position);
    }
    bool Call(int builtin, int position) {
        const int count = expr::Builtin(builtin).arguments;
        TCalcType value;
        const int error = expr::CallBuiltin(builtin, stack_.data() + stack_.size() - count, value);
        stack_.resize(stack_.size() - count);
        stack_.push_back(std::move(value));
        return Check(error, position);
    }
    void Fail(int error, int position) {
        result_.error = error;
        result_.position = position;
    }
    void Finish(bool empty) {
        if (!empty) {
            result_.value = std::move(stack_.back());
        }
    }
    TEvalResult& Result() { return result_; }

  private:
    bool Check(int error, int position) {
        if (error != eeOK) {
            Fail(error, position);
            return false;
        }
        return true;
    }
    std::vector<TCalcType> stack_;
    TEvalResult result_;
};

}  // namespace

class TExprProgram {
  public:
    explicit TExprProgram(const QString& text) {
        RecordingSink sink(*this);
        expr::Scanner<RecordingSink>(text, sink).Run();
    }

    int Run(TCalcType& result, int* errorPosition) const;

    std::vector<Instruction> code;
    std::vector<TCalcType> constants;
    std::vector<QString> names;
    bool empty = false;

  private:
    int Execute(const Instruction& instruction, TCalcType* stack, int& top) const;
};

namespace {

bool RecordingSink::Constant(const TCalcType& value) {
    program_.code.push_back(
        {Instruction::Constant, Op::Add, -1, static_cast<int>(program_.constants.size()), 0});
    program_.constants.push_back(value);
    return true;
}

bool RecordingSink::Reference(int code) {
    program_.code.push_back({Instruction::Reference, Op::Add, -1, code, 0});
    return true;
}

bool RecordingSink::NamedReference(char16_t prefix, const QString& name, int position) {
    program_.code.push_back({Instruction::NamedReference, Op::Add, static_cast<short>(prefix),
                             static_cast<int>(program_.names.size()), position});
    program_.names.push_back(name);
    return true;
}

bool RecordingSink::Unary(Op op, int position) {
    program_.code.push_back({Instruction::Unary, op, -1, 0, position});
    return true;
}

bool RecordingSink::Binary(Op op, int position) {
    program_.code.push_back({Instruction::Binary, op, -1, 0, position});
    return true;
}

bool RecordingSink::Call(int builtin, int position) {
    program_.code.push_back({Instruction::Call, Op::Add, static_cast<short>(builtin), 0, position});
    return true;
}

void RecordingSink::Fail(int error, int position) {
    program_.code.push_back({Instruction::Fail, Op::Add, -1, error, position});
}

void RecordingSink::Finish(bool empty) {
    program_.empty = empty;
}

}  // namespace

int TExprProgram::Execute(const Instruction& in, TCalcType* stack, int& top) const {
    switch (in.code) {
        case Instruction::Constant:
            stack[top++] = constants[in.argument];
            return eeOK;
        case Instruction::Reference:
            if (in.argument >= 0) {
                expr::LoadReference(in.argument, stack[top]);
            } else {
                stack[top].Clear();
            }
            ++top;
            return eeOK;
        case Instruction::NamedReference: {
            expr::Reference reference;
            reference.prefix = static_cast<char16_t>(in.builtin);
            reference.name = names[in.argument];
            return expr::ResolveReference(reference, stack[top++]);
        }
        case Instruction::Unary:
            return expr::ApplyUnary(in.op, stack[top - 1]);
        case Instruction::Binary:
            --top;
            return expr::ApplyBinary(in.op, stack[top - 1], stack[top]);
        case Instruction::Call: {
            const int count = expr::Builtin(in.builtin).arguments;
            TCalcType value;
            const int error = expr::CallBuiltin(in.builtin, stack + top - count, value);
            top -= count;
            stack[top++] = std::move(value);
            return error;
        }
        case Instruction::Fail:
        default:
            return in.argument;
    }
}

int TExprProgram::Run(TCalcType& result, int* errorPosition) const {
    if (errorPosition) {
        *errorPosition = 0;
    }
    result.Clear();
    TCalcType stack[expr::kStackLimit + 1];
    int top = 0;
    for (const Instruction& instruction : code) {
        int error = eeOK;
        try {
            error = Execute(instruction, stack, top);
        } catch (const std::exception&) {
            error = eeDomain;
        }
        if (error != eeOK) {
            if (errorPosition) {
                *errorPosition = instruction.position;
            }
            return error;
        }
    }
    if (!empty && top > 0) {
        result = std::move(stack[top - 1]);
    }
    return eeOK;
}

// --- compiled expressions -------------------------------------------------------

namespace {

// Parsed forms by text. The cache belongs to the thread that evaluates (the
// user-interface thread); it is emptied when it grows past its bound, which
// only texts built on the fly can make it do.
constexpr int kCacheLimit = 4096;

using ProgramCache = QHash<QString, std::shared_ptr<const TExprProgram>>;

ProgramCache& Cache() {
    thread_local ProgramCache cache;
    return cache;
}

std::shared_ptr<const TExprProgram> ProgramFor(const QString& text) {
    ProgramCache& cache = Cache();
    auto found = cache.constFind(text);
    if (found != cache.constEnd()) {
        return found.value();
    }
    if (cache.size() >= kCacheLimit) {
        cache.clear();
    }
    auto program = std::make_shared<const TExprProgram>(text);
    cache.insert(text, program);
    return program;
}

}  // namespace

TCompiledExpression::TCompiledExpression() = default;
TCompiledExpression::TCompiledExpression(const QString& text) {
    SetText(text);
}
TCompiledExpression::~TCompiledExpression() = default;
TCompiledExpression::TCompiledExpression(const TCompiledExpression&) = default;
TCompiledExpression& TCompiledExpression::operator=(const TCompiledExpression&) = default;

void TCompiledExpression::SetText(const QString& text) {
    if (program_ && text == text_) {
        return;
    }
    text_ = text;
    program_ = std::make_shared<const TExprProgram>(text);
}

int TCompiledExpression::Evaluate(TCalcType& value, int* errorPosition) const {
    if (!program_) {
        value.Clear();
        if (errorPosition) {
            *errorPosition = 0;
        }
        return eeOK;
    }
    return program_->Run(value, errorPosition);
}

TEvalResult TCompiledExpression::Evaluate() const {
    TEvalResult result;
    result.error = Evaluate(result.value, &result.position);
    return result;
}

// --- evaluation by text --------------------------------------------------------

TEvalResult Evaluate(const QString& expression) {
    TEvalResult result;
    result.error = ProgramFor(expression)->Run(result.value, &result.position);
    return result;
}

TEvalResult EvaluateDirect(const QString& expression) {
    EvaluatingSink sink;
    try {
        expr::Scanner<EvaluatingSink>(expression, sink).Run();
    } catch (const std::exception&) {
        sink.Result().error = eeDomain;
    }
    return sink.Result();
}

QString EvaluateText(const QString& expression) {
    const TEvalResult result = Evaluate(expression);
    return result.error == eeOK ? result.value.text : QString();
}

bool EvaluateCondition(const QString& expression) {
    const TEvalResult result = Evaluate(expression);
    return result.error == eeOK && result.value.number > 0.0;
}

void ClearExpressionCache() {
    Cache().clear();
}
