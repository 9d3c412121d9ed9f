#include "lib_bytesum.h"

#include "errors.h"
#include "lib_dirsearch.h"
#include "lib_rawfile.h"

#include <istream>
#include <sstream>

namespace vx {

uint32_t streamByteSum(std::istream& stream) {
    auto here = stream.tellg();
    stream.seekg(0, std::ios::end);
    auto size = static_cast<long long>(stream.tellg());
    stream.seekg(here);
    uint32_t sum = 0;
    std::streambuf* sb = stream.rdbuf();
    for (long long i = 0; i < size - 5; ++i) {
        int c = sb->sbumpc();
        if (c == std::char_traits<char>::eof()) throw FileError("Stream read error");
        sum += static_cast<unsigned char>(c);
    }
    return sum;
}

int32_t fileByteSum(const std::string& name) {
    if (!existsAsFile(name)) return -1;
    RawFile file(name);
    std::string bytes(static_cast<size_t>(file.size()), '\0');
    bytes.resize(file.readUpTo(bytes.data(), bytes.size()));
    std::istringstream stream(bytes);
    return static_cast<int32_t>(streamByteSum(stream));
}

void joinLinesCRLF(std::string& result, const TStringList& list) {
    result.clear();
    std::string text;
    for (int i = 0; i < list.Count(); ++i) text += list[i] + "\r\n";
    result = std::move(text);
}

} // namespace vx
