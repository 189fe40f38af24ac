// zd8-bankgen: writes our own built-in banks of programs, multis and FX chains in the
// tagged bank layout. Run by the build; the plug-in embeds the three files.
//
// Usage: zd8-bankgen <programs file> <multis file> <FX chains file>

#include "tools/bankgen/BankGenerator.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
constexpr int typeProgram = 138;
constexpr int typeMulti = 155;
constexpr int typeFxChain = 156;

bool writeFile (const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    {
        std::ofstream out (path, std::ios::binary | std::ios::trunc);
        out.write (reinterpret_cast<const char*> (bytes.data()), (std::streamsize) bytes.size());
        if (out.flush().good())
            return true;
    }
    std::remove (path.c_str()); // never leave a partial bank for the build to embed
    std::fprintf (stderr, "zd8-bankgen: cannot write %s\n", path.c_str());
    return false;
}

bool writeBankFile (const char* what, const std::string& path, int typeCode, const std::vector<zd8gen::GeneratedObject>& objects)
{
    const auto bank = zd8gen::writeBank (typeCode, objects);
    std::printf ("zd8-bankgen: %zu %s, %zu bytes\n", objects.size(), what, bank.size());
    return writeFile (path, bank);
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 4)
    {
        std::fprintf (stderr, "usage: zd8-bankgen <programs file> <multis file> <FX chains file>\n");
        return 2;
    }

    const bool ok = writeBankFile ("programs", argv[1], typeProgram, zd8gen::generatePrograms())
                    && writeBankFile ("multis", argv[2], typeMulti, zd8gen::generateMultis())
                    && writeBankFile ("FX chains", argv[3], typeFxChain, zd8gen::generateFxChains());
    return ok ? 0 : 1;
}
