#pragma once
// A page of placed elements as bytes and back, for the temporary page store
// of long report runs. The bytes never leave the process that wrote them, so
// the template element an output element points at is kept as its address
// (the template outlives the output). Vector pictures are not encoded: an
// element that carries one stays in memory, as does every element the caller
// names (see PageCodec::Encode).

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TStranaPrvku;
class TVystPrvek;

// A deep copy of a placed element: its own lines and picture.
std::unique_ptr<TVystPrvek> CopyElement(const TVystPrvek& element);

// Whether an element can be written as bytes (everything but a vector picture).
bool IsEncodable(const TVystPrvek& element);

class PageCodec {
  public:
    // Appends the page to `bytes`. An element for which `keep` is true (and
    // every element IsEncodable refuses) is written as a mark only; the
    // caller keeps it and hands it back to Decode in the same order.
    static void Encode(const TStranaPrvku& page, std::string& bytes,
                       const std::function<bool(const TVystPrvek&)>& keep);
    // The same for a page's elements in drawing order, where a null entry
    // stands for an element the caller keeps (the caller keeps every
    // element IsEncodable refuses).
    static void EncodeElements(const std::vector<std::unique_ptr<TVystPrvek>>& elements,
                               std::string& bytes);
    // The page the bytes describe; a mark takes the next element from `kept`
    // (copied when `copyKept`, else moved out of the vector).
    static std::unique_ptr<TStranaPrvku> Decode(const char* data, qsizetype size,
                                                std::vector<std::unique_ptr<TVystPrvek>>& kept,
                                                bool copyKept);

  private:
    class Reader;
};
