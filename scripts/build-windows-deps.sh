#!/usr/bin/env bash
# Builds the program's libraries other than Qt for 64-bit Windows with mingw-w64, from
# Debian's own source packages, static and release, once per configuration, and prints the
# prefix they are installed in (include/, lib/, lib/cmake/GTest/). Every later call with the
# same configuration prints that prefix at once.
#
#   SQLite      the amalgamation made from Debian's source of the installed libsqlite3-0,
#               compiled with the options of Debian's own build that are not Linux-specific
#   ICU         common and i18n from Debian's source of the installed libicu72, and a data
#               library with only the collation data of cmake/icu-data-items.txt; a native ICU
#               from the same source provides the tools the cross build runs
#   zlib        the static library from Debian's source of the installed zlib1g
#   libpng      the static library from Debian's source of the installed libpng16-16, its
#               names prefixed (spdx_png_...) so that they never meet the copy inside Qt
#   GoogleTest  gtest, gtest_main, gmock and gmock_main from Debian's /usr/src/googletest
#
# Before the prefix counts as complete, a small program compares collation sort keys of the
# reduced ICU (a native build of it, and the Windows build run under Wine when wine64 is
# installed) with those of Debian's libicu72, and the Windows SQLite's compile options with
# those of Debian's libsqlite3. It is built with CMake through find_package(), as the
# program is.
#
# The cache is $SPIELDEX_CACHE (by default ~/.cache/spieldex): src/ holds the unpacked
# sources, windeps-<key>/ the result, <key> a hash of this script, the toolchain file, the
# data list and the versions built from. JOBS sets the parallel compiles (default: all cores).
# ICU's static libraries are called libicuuc.a, libicui18n.a and libicudata.a, as CMake's
# FindICU looks for them; libsicu*.a, mingw-w64 ICU's own names, point to them. The installed
# unicode/platform.h defines U_STATIC_IMPLEMENTATION, so that users need not.
# Usage: build-windows-deps.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
project=$(dirname "$here")
cache=${SPIELDEX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/spieldex}
jobs=${JOBS:-$(nproc)}
toolchain=$project/cmake/toolchains/mingw-w64-x86_64.cmake
icu_items=$project/cmake/icu-data-items.txt
host=x86_64-w64-mingw32
cc=$host-gcc-posix
cxx=$host-g++-posix
ar=$host-gcc-ar-posix
wine=/usr/lib/wine/wine64

"$here/install-deps.sh" g++-mingw-w64-x86-64-posix gcc g++ make cmake ninja-build tcl python3 \
  dpkg-dev googletest libsqlite3-dev libicu-dev >&2

# The same source as the Linux libraries, so that both builds store and sort alike.
sqlite_debian=$(dpkg-query -W -f='${source:Version}' libsqlite3-0)
icu_debian=$(dpkg-query -W -f='${source:Version}' libicu72)
gtest_debian=$(dpkg-query -W -f='${Version}' googletest)
zlib_debian=$(dpkg-query -W -f='${source:Version}' zlib1g)
png_debian=$(dpkg-query -W -f='${source:Version}' libpng16-16)
sqlite_version=${sqlite_debian%%-*}
icu_version=${icu_debian%%-*}
icu_major=${icu_version%%.*}
case "$sqlite_version $icu_version" in
  "3.40.1 72.1") ;;
  *) echo "build-windows-deps.sh: written for SQLite 3.40.1 and ICU 72.1, not $sqlite_version and $icu_version" >&2
     exit 1 ;;
esac

key=$( (cat "$0" "$toolchain" "$icu_items"
        echo "$sqlite_debian $icu_debian $gtest_debian $zlib_debian $png_debian"; "$cxx" -dumpfullversion) | sha256sum | cut -c1-12)
prefix=$cache/windeps-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

sqlite_src=$("$here/debian-source.sh" "sqlite3=$sqlite_debian" "$cache/src")
icu_src=$("$here/debian-source.sh" "icu=$icu_debian" "$cache/src")/source
zlib_src=$("$here/debian-source.sh" "zlib=$zlib_debian" "$cache/src")
png_src=$("$here/debian-source.sh" "libpng1.6=$png_debian" "$cache/src")
build=$cache/build-windeps-$key
rm -rf "$build" "$prefix"
mkdir -p "$build" "$prefix/include" "$prefix/lib"
started=$(date +%s)
echo "Building SQLite $sqlite_version, ICU $icu_version and GoogleTest $gtest_debian for Windows into $prefix" >&2

# Runs a step with its output in build/LOG; on failure shows the log's end and stops. The
# build folder stays for a look.
step() {
  local log=$build/$1.log
  shift
  echo "  $(basename "$log" .log)" >&2
  "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "failed; logs in $build" >&2; exit 1; }
}

# --- SQLite -------------------------------------------------------------------------------
# Debian's debian/rules CFLAGS, and what its configure options add (fts4, fts5, math
# functions, threadsafe). Left out: hardening and large-file flags, and the HAVE_* results of
# probing Linux, bar isnan, which mingw-w64 has too.
sqlite_flags=(
  -O2 -fno-strict-aliasing
  -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA
  -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_FTS3_TOKENIZER=1
  -DSQLITE_ENABLE_FTS4 -DSQLITE_ENABLE_FTS5
  -DSQLITE_ENABLE_RTREE=1 -DSQLITE_SOUNDEX=1 -DSQLITE_ENABLE_UNLOCK_NOTIFY
  -DSQLITE_OMIT_LOOKASIDE=1 -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ALLOW_ROWID_IN_VIEW
  -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1 -DSQLITE_ENABLE_LOAD_EXTENSION -DSQLITE_ENABLE_JSON1
  -DSQLITE_LIKE_DOESNT_MATCH_BLOBS -DSQLITE_THREADSAFE=1 -DSQLITE_USE_URI=1
  -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_ENABLE_PREUPDATE_HOOK -DSQLITE_ENABLE_SESSION
  -DSQLITE_ENABLE_STMTVTAB -DSQLITE_MAX_VARIABLE_NUMBER=250000
  -DSQLITE_ENABLE_MATH_FUNCTIONS -DHAVE_ISNAN=1
)
mkdir -p "$build/sqlite"
cd "$build/sqlite"
# The amalgamation is made by the tree's own Makefile (with tclsh), so Debian's patches are in.
step sqlite-configure "$sqlite_src/configure" --disable-tcl --disable-shared
step sqlite-amalgamation make sqlite3.c
step sqlite-compile "$cc" "${sqlite_flags[@]}" -c sqlite3.c -o sqlite3.o
step sqlite-archive "$ar" rcs "$prefix/lib/libsqlite3.a" sqlite3.o
cp sqlite3.h sqlite3ext.h "$prefix/include/"

# --- ICU, native ---------------------------------------------------------------------------
# Only what the tools need, and, for the check below, the same reduced data.
icu_common=(--disable-shared --enable-static --with-data-packaging=static --disable-tests
            --disable-samples --disable-extras --disable-layoutex --disable-icuio --disable-icu-config)
mkdir -p "$build/icu-native"
cd "$build/icu-native"
step icu-native-configure env CC=gcc CXX=g++ CFLAGS=-O2 CXXFLAGS=-O2 "$icu_src/configure" "${icu_common[@]}"
step icu-native-build make -j"$jobs" DATASUBDIR=

# The data: the items of the list, taken from the prebuilt package of the source. The
# package keeps ICU's name, under which ICU looks its items up.
data=$build/icu-data
mkdir -p "$data/items/coll"
step icu-data-extract bin/icupkg -x "$icu_items" -d "$data/items" "$icu_src/data/in/icudt${icu_major}l.dat"
step icu-data-package bin/icupkg -a "$icu_items" -s "$data/items" new "$data/icudt${icu_major}l.dat"
reduced=$data/icudt${icu_major}l.dat
step icu-native-data make -j"$jobs" ICUDATA_SOURCE_ARCHIVE="$reduced"

# --- ICU, Windows --------------------------------------------------------------------------
mkdir -p "$build/icu-windows"
cd "$build/icu-windows"
step icu-windows-configure env CC="$cc" CXX="$cxx" AR="$host-ar" RANLIB="$host-ranlib" CFLAGS=-O2 CXXFLAGS=-O2 \
  "$icu_src/configure" --host=$host --build="$(gcc -dumpmachine)" --with-cross-build="$build/icu-native" \
  --prefix="$prefix" --disable-tools "${icu_common[@]}"
step icu-windows-build make -j"$jobs" ICUDATA_SOURCE_ARCHIVE="$reduced"
# ICU's own install for mingw puts the stub data library in lib/ and the real one, as
# sicudt.a, in bin/; so only common and i18n go through it.
step icu-windows-install sh -c 'make -C common install && make -C i18n install'
mv "$prefix/lib/libsicuuc.a" "$prefix/lib/libicuuc.a"
mv "$prefix/lib/libsicuin.a" "$prefix/lib/libicui18n.a"
cp lib/sicudt.a "$prefix/lib/libicudata.a"
ln -s libicuuc.a "$prefix/lib/libsicuuc.a"
ln -s libicui18n.a "$prefix/lib/libsicuin.a"
ln -s libicudata.a "$prefix/lib/libsicudt.a"
# Without it every ICU function would be declared as imported from a DLL.
sed -i '/^#define _PLATFORM_H$/a\
/* This ICU is static libraries only: nothing is imported from a DLL. */\
#ifndef U_STATIC_IMPLEMENTATION\
#define U_STATIC_IMPLEMENTATION\
#endif' "$prefix/include/unicode/platform.h"
grep -q '^#define U_STATIC_IMPLEMENTATION' "$prefix/include/unicode/platform.h" \
  || { echo "unicode/platform.h has changed: U_STATIC_IMPLEMENTATION not added" >&2; exit 1; }

# --- zlib and libpng -----------------------------------------------------------------------
# Debian's zlib source lacks the Windows resource files its shared library needs: only the
# static library is built, and installed by hand.
step zlib-configure cmake -S "$zlib_src" -B "$build/zlib" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release
step zlib-build cmake --build "$build/zlib" --target zlibstatic
cp "$build/zlib/libzlibstatic.a" "$prefix/lib/libz.a"
cp "$build/zlib/zconf.h" "$zlib_src/zlib.h" "$prefix/include/"
step png-configure cmake -S "$png_src" -B "$build/png" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
  -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_PREFIX=spdx_ \
  -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
step png-build cmake --build "$build/png" --parallel "$jobs"
step png-install cmake --install "$build/png"

# --- GoogleTest ----------------------------------------------------------------------------
step gtest-configure cmake -S /usr/src/googletest -B "$build/gtest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON \
  -DCMAKE_INSTALL_PREFIX="$prefix"
step gtest-build cmake --build "$build/gtest" --parallel "$jobs"
step gtest-install cmake --install "$build/gtest"

# --- Checks --------------------------------------------------------------------------------
# The program prints a line for each sort key of a table of awkward texts, in the locales
# the program meets (German, the user's one falling back to root), with the collator set up
# as the program does; with "sqlite" also SQLite's compile options; with "gtest" it runs one
# test, which needs GoogleTest and GoogleMock to work.
check=$build/check
mkdir -p "$check"
cat >"$check/check.cpp" <<'EOF'
#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>
#include <cstdio>
#include <cstring>
#ifdef WITH_GTEST
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#endif

static const char16_t *const texts[] = {
    u"", u" ", u"  ", u"\t", u"\u00a0", u"a b", u"ab", u"a-b", u"a_b", u"a.b", u"a'b", u"\u2013",
    u"a", u"A", u"\u00e4", u"\u00c4", u"a\u0308", u"A\u0308", u"ae", u"Ae", u"AE",
    u"Apfel", u"\u00c4pfel", u"A\u0308pfel", u"Aepfel", u"Affe",
    u"Muller", u"M\u00fcller", u"Mu\u0308ller", u"Mueller", u"M\u00dcLLER", u"\u00d6l", u"Oel", u"\u00dcbel",
    u"\u00df", u"ss", u"SS", u"\u1e9e", u"Ma\u00dfe", u"Masse", u"MASSE", u"Stra\u00dfe", u"Strasse",
    u"caf\u00e9", u"cafe\u0301", u"2 Spiele", u"10 Spiele", u"Spiel 2", u"Spiel 10", u"Spiel2", u"\uff12", u"\u00b2",
    u"(Spiel)", u"\u201eSpiel\u201c", u"\u00abSpiel\u00bb", u"Spiel!", u"Spiel: Teil 2",
    u"\ufffd", u"\u6f22\u5b57", u"\U0001f600",
};

static int printKeys(const char *locale, bool withValidLocale)
{
    UErrorCode status = U_ZERO_ERROR;
    UCollator *collator = ucol_open(locale, &status);
    if (U_FAILURE(status)) {
        std::printf("%s: %s\n", locale, u_errorName(status));
        return 1;
    }
    if (withValidLocale)
        std::printf("%s: %s\n", locale, ucol_getLocaleByType(collator, ULOC_VALID_LOCALE, &status));
    ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_TERTIARY, &status);
    ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    for (const char16_t *text : texts) {
        const auto *source = reinterpret_cast<const UChar *>(text);
        uint8_t key[256];
        const int32_t length = ucol_getSortKey(collator, source, u_strlen(source), key, int32_t(sizeof key));
        std::printf("%s", locale);
        for (int32_t i = 0; i < length && i < int32_t(sizeof key); ++i)
            std::printf(" %02x", key[i]);
        std::printf("\n");
    }
    ucol_close(collator);
    return U_FAILURE(status) ? 1 : 0;
}

#ifdef WITH_GTEST
TEST(Libraries, CollateAndQuery)
{
    UErrorCode status = U_ZERO_ERROR;
    UCollator *collator = ucol_open("de_DE", &status);
    ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    EXPECT_LT(ucol_strcoll(collator, u"\u00c4pfel", -1, u"Birne", -1), 0);
    ucol_close(collator);

    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    sqlite3_stmt *stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT upper('gro\xc3\x9f'), sqrt(16)", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_THAT(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)), testing::StrEq("GRO\xc3\x9f"));
    EXPECT_EQ(sqlite3_column_double(stmt, 1), 4.0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}
#endif

int main(int argc, char **argv)
{
#ifdef WITH_GTEST
    if (argc > 1 && std::strcmp(argv[1], "gtest") == 0) {
        testing::InitGoogleMock(&argc, argv);
        return RUN_ALL_TESTS();
    }
#endif
    // The locales a full ICU knows too, and a known and an unknown one that fall back to root.
    int failures = printKeys("de_DE", true) + printKeys("de", true) + printKeys("root", true)
                   + printKeys("en_US", false) + printKeys("xx_YY", false);
    if (argc > 1 && std::strcmp(argv[1], "sqlite") == 0) {
        std::printf("sqlite %s threadsafe=%d\n", sqlite3_libversion(), sqlite3_threadsafe());
        for (int i = 0; const char *option = sqlite3_compileoption_get(i); ++i)
            std::printf("sqlite %s\n", option);
    }
    return failures;
}
EOF
cat >"$check/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.25)
project(check LANGUAGES C CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(SQLite3 REQUIRED)
find_package(ICU REQUIRED COMPONENTS uc i18n data)
find_package(GTest REQUIRED)
add_executable(check check.cpp)
target_compile_definitions(check PRIVATE WITH_GTEST)
target_link_libraries(check SQLite::SQLite3 ICU::i18n ICU::uc ICU::data GTest::gmock GTest::gtest)
target_link_options(check PRIVATE -static)
EOF
cd "$check"
step check-system g++ -std=c++20 -O1 check.cpp -o check-system -licui18n -licuuc -lsqlite3
step check-native g++ -std=c++20 -O1 -I"$icu_src/common" -I"$icu_src/i18n" check.cpp -o check-native \
  -L"$build/icu-native/lib" -l:libicui18n.a -l:libicuuc.a -l:libicudata.a -lsqlite3 -lpthread -ldl
./check-system sqlite >system.txt || { echo "Debian's ICU fails the check:" >&2; cat system.txt >&2; exit 1; }
grep -v '^sqlite' system.txt >system-keys.txt
./check-native >native.txt || { echo "The reduced ICU fails the check:" >&2; cat native.txt >&2; exit 1; }
diff system-keys.txt native.txt >keys-native.diff \
  || { echo "The reduced ICU sorts unlike Debian's:" >&2; head -n 20 keys-native.diff >&2; exit 1; }
step check-windows-configure cmake -S . -B windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix"
step check-windows-build cmake --build windows
if [ -x "$wine" ]; then
  export WINEPREFIX=$build/wine WINEDLLOVERRIDES=mscoree,mshtml= WINEDEBUG=-all
  step wineboot "$wine" wineboot -i
  "$wine" windows/check.exe sqlite >windows-crlf.txt 2>"$build/check-windows-run.log" \
    || { echo "The Windows build fails the check:" >&2; cat windows-crlf.txt "$build/check-windows-run.log" >&2; exit 1; }
  tr -d '\r' <windows-crlf.txt >windows.txt
  step check-windows-gtest "$wine" windows/check.exe gtest
  /usr/lib/wine/wineserver -k || true
  diff system-keys.txt <(grep -v '^sqlite' windows.txt) >keys-windows.diff \
    || { echo "The Windows ICU sorts unlike Debian's:" >&2; head -n 20 keys-windows.diff >&2; exit 1; }
  # The compiler and the mutex implementation differ by nature, nothing else may.
  options() { grep '^sqlite' "$1" | grep -v -e '^sqlite COMPILER=' -e '^sqlite MUTEX_'; }
  diff <(options system.txt) <(options windows.txt) >options.diff \
    || { echo "The Windows SQLite is configured unlike Debian's:" >&2; cat options.diff >&2; exit 1; }
  echo "  the Windows build, run under Wine, sorts and stores as Debian's libraries do" >&2
else
  echo "  no wine64 here: the Windows build was linked but not run" >&2
fi

cd "$prefix"
rm -rf "$build"
touch "$prefix/.complete"
echo "ICU data: $(( $(stat -c %s "$prefix/lib/libicudata.a") / 1024 )) KB;" \
  "built in $(( ($(date +%s) - started) / 60 )) minutes" >&2
echo "$prefix"
