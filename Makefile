# The two set-up commands of the README: `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

# What a fresh Debian 12 machine needs for building, testing and the demo.
PACKAGES := cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev \
	libsqlite3-dev sqlite3 libicu-dev libpng-dev zlib1g-dev \
	libgtest-dev libgmock-dev libbenchmark-dev \
	xvfb xauth xdotool x11-utils openbox fonts-liberation2 time \
	qt6-translations-l10n patchelf xorriso

.PHONY: all deps configure build demo test bench cd-image sanitize clean windows windows-test

all: build

deps:
	@scripts/install-deps.sh $(PACKAGES)

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

demo: build
	@scripts/run-demo.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The Windows program, cross-built into $(BUILD)/windows and put into the CD folder as
# spieldex.exe; the first run builds our Qt and the Windows libraries into the cache
# (~/.cache/spieldex), about half an hour on two cores.
windows: build
	@scripts/build-windows.sh $(BUILD)

# The unit tests of the Windows build, run under Wine.
windows-test: windows
	cd $(BUILD)/windows && ctest --output-on-failure

# The image of the CD folder, for the pressing plant.
cd-image: build
	@scripts/make-cd-image.sh $(BUILD)/cd $(BUILD)/spieldex-cd.iso
	@echo "$(BUILD)/spieldex-cd.iso: $$(du -h $(BUILD)/spieldex-cd.iso | cut -f1)"

# Every figure beside its peer or floor, measured in the same run, as one table.
bench: build
	@bench/report.sh $(BUILD)

# The whole project built with AddressSanitizer and UndefinedBehaviorSanitizer, and the
# whole suite run on it: any finding fails its test.
SANITIZE_BUILD ?= build-sanitize
sanitize:
	@scripts/install-deps.sh $(PACKAGES) clang libclang-rt-14-dev
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSPIELDEX_SANITIZE=address,undefined
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && \
	  ASAN_OPTIONS=abort_on_error=1:detect_stack_use_after_return=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
