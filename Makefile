# The two set-up commands of the README: `make demo` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

# What a fresh Debian 12 machine needs for building, testing and the demo.
PACKAGES := cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev \
	libsqlite3-dev sqlite3 libpng-dev zlib1g-dev \
	libgtest-dev libgmock-dev libbenchmark-dev \
	xvfb xauth xdotool x11-utils openbox fonts-liberation2 time \
	qt6-translations-l10n patchelf xorriso

.PHONY: all deps configure build demo test bench cd-image clean

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

# The image of the CD folder, for the pressing plant.
cd-image: build
	@scripts/make-cd-image.sh $(BUILD)/cd $(BUILD)/spieldex-cd.iso
	@echo "$(BUILD)/spieldex-cd.iso: $$(du -h $(BUILD)/spieldex-cd.iso | cut -f1)"

bench: build
	@bench/compare.sh $(BUILD)
	@bench/compare_tabtext.sh $(BUILD)
	@echo; echo "The CD check: 20,000 games and screenshots, beside a sequential decode of the same files:"
	@$(BUILD)/bin/bench_cdcheck 2>/dev/null | grep -E '^(Benchmark|-|BM_)'

clean:
	rm -rf $(BUILD)
