# The commands: `make demo`, `make test`, `make bench` and `make footprint`.
# Each does its own set-up.
BUILD := build
TARGETS := i686 x86_64
PRIMARY := i686
JOBS := $(shell nproc 2>/dev/null || echo 2)

# Timed runs of each sheet in `make bench`; BENCH_PAGES=1 adds each page's
# own time.
BENCH_RUNS := 20
BENCH_PAGES :=

.PHONY: all setup build demo test bench footprint clean $(TARGETS:%=build-%)

all: build

setup:
	@bash scripts/setup.sh

build: $(TARGETS:%=build-%)

$(TARGETS:%=build-%): build-%: setup
	cmake -S . -B $(BUILD)/$* -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/$*-w64-mingw32.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel
	cmake --build $(BUILD)/$* -j $(JOBS)

# The device's screens: portrait 240 x 320, landscape 320 x 240, and VGA
# 480 x 640 at 192 dots per inch.
PORTRAIT := 240x320x24
LANDSCAPE := 320x240x24
VGA := 480x640x24
VGA_DPI := 192

# The pages that follow the input panel, by index in the sheet: Buttons,
# URL Alias and URL Service.
PANEL_PAGES := 1,2,3

# With a display the host stand-in is interactive, on a screen of the
# device's portrait size in a window of its own (a nested X server); without
# one it tours the sheet and saves screenshots of each page (the sheet, and
# the whole screen with it) under $(BUILD)/$(PRIMARY)/tour,
# then tours it again on the VGA screen into $(BUILD)/$(PRIMARY)/tour-vga,
# and the pages that follow the input panel once more with the panel raised
# into $(BUILD)/$(PRIMARY)/tour-vga-panel (under $(BUILD)/x86_64 on a machine
# that runs 64-bit programs only).
demo: build
	bash scripts/device-screen.sh $(PORTRAIT) bash scripts/with-wine.sh $(BUILD) \
	    bash scripts/demo.sh $(BUILD)/$(PRIMARY) $(BUILD)/x86_64
	@if [ -z "$${DISPLAY:-}" ]; then \
	    echo "VelotabOptions on the VGA screen, $(VGA_DPI) dots per inch:"; \
	    VELOTAB_SCREEN=$(VGA) VELOTAB_DPI=$(VGA_DPI) bash scripts/with-wine.sh $(BUILD) bash -c ' \
	        bash scripts/demo.sh --tour-name tour-vga $(BUILD)/$(PRIMARY) $(BUILD)/x86_64 && \
	        bash scripts/demo.sh --tour-name tour-vga-panel $(BUILD)/$(PRIMARY) $(BUILD)/x86_64 \
	            -- --input-panel up --tour-pages $(PANEL_PAGES)'; \
	fi

# The suite runs for every target on the portrait screen, then once more on
# the landscape screen for the first target that this machine runs; each
# line of that second run is marked. On a machine whose kernel refuses
# 32-bit programs, the 32-bit pass follows: the tests of what differs with
# the word size, with the 32-bit build run under an emulator that is
# registered for that pass only (as root), its lines marked too. Every pass
# runs even when an earlier one failed; the run ends with one line per pass
# and fails when any pass failed.
test: build
	PORTRAIT=$(PORTRAIT) LANDSCAPE=$(LANDSCAPE) bash scripts/test-passes.sh $(BUILD) \
	    $(PRIMARY) $(TARGETS)

# Times the options sheet against a bare sheet of the same templates and
# prints the ratios with the DLL's size (the 64-bit build on a machine that
# runs 64-bit programs only).
bench: build
	BENCH_PAGES=$(BENCH_PAGES) bash scripts/with-wine.sh $(BUILD) bash scripts/bench.sh \
	    $(BENCH_RUNS) $(BUILD)/$(PRIMARY) $(BUILD)/x86_64

# What each part of the DLL costs, from the link map of each target.
footprint: build
	@for target in $(TARGETS); do echo "== $$target"; bash scripts/footprint.sh $(BUILD)/$$target; done

clean:
	rm -rf $(BUILD)
