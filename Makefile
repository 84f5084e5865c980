# Two commands matter: `make run` and `make test`. The rest are their pieces.
HOST_DIR  ?= build/host
WIN_DIR   ?= build/win
WIN64_DIR ?= build/win64
FUZZ_DIR  ?= build/fuzz
JOBS      ?= $(shell LC_ALL=C nproc)
FUZZ_SECONDS ?= 60

.PHONY: all deps host win win64 test test-host test-win run status screenshot screenshot-en e2e fuzz bench clean

all: host win win64

deps:
	@bash tools/install-deps.sh

host: deps
	@cmake -S . -B $(HOST_DIR) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(HOST_DIR) -j $(JOBS)

# The shipped program. Its tests are those that only it can show; the 64-bit tree runs the rest.
win: deps
	@cmake --no-warn-unused-cli -S . -B $(WIN_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DKORVELT_TESTS_64=ON >/dev/null
	@cmake --build $(WIN_DIR) -j $(JOBS)

# The same sources for 64-bit Windows, for the tests alone: Wine starts a 64-bit program in a
# second, where a 32-bit one may cost a minute (32-bit code run through qemu).
win64: deps
	@cmake --no-warn-unused-cli -S . -B $(WIN64_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN64_DIR) -j $(JOBS)

test-host: host
	@cd $(HOST_DIR) && ctest --output-on-failure -j $(JOBS)

# Windows tests run under Wine, each tree in its own prefix and session; GUI tests need a display,
# so each run gets a virtual one unless a real one is there.
WIN_CTEST = if [ -n "$$DISPLAY" ]; then ctest --output-on-failure; \
	  else xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure; fi

test-win: win win64
	@cd $(WIN64_DIR) && $(WIN_CTEST)
	@cd $(WIN_DIR) && $(WIN_CTEST)

test: test-host test-win

# The launcher on the sample medium that the Windows tree stages in $(WIN_DIR)/medium. Without a
# display nobody could see its window: it then leaves a screenshot in $(WIN_DIR) and ends.
run: win
	@bash tools/run-medium.sh $(WIN_DIR)

# What the launcher on that medium would show on this machine (the Wine prefix of $(WIN_DIR)),
# and why. STATUS_ARGS=--json gives JSON.
status: win
	@bash tools/run-medium.sh $(WIN_DIR) --status $(STATUS_ARGS)

screenshot: win
	@bash tools/run-medium.sh $(WIN_DIR) --screenshot docs/korvelt.png

# The same on a Windows of another language (ANSI code page 1252): the Japanese texts must still
# show.
screenshot-en: win
	@KORVELT_WINE_LANG=en_US.UTF-8 bash tools/run-medium.sh $(WIN_DIR) --screenshot docs/korvelt-en.png

# A set-up on the sample medium as a user runs it, ending in docs/korvelt-e2e.png.
e2e: win
	@bash tools/run-medium.sh $(WIN_DIR) --e2e docs/korvelt-e2e.png

fuzz: deps
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVELT_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@bash tools/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: deps win
	@cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DKORVELT_SANITIZE=OFF >/dev/null
	@cmake --build build/bench -j $(JOBS)
	@for b in build/bench/bin/bench-*; do echo "== $$b"; $$b || exit 1; done
	@for b in $(WIN_DIR)/bin/winbench-*.exe; do echo "== $$b (Wine)"; $(WIN_DIR)/wine-run $$b || exit 1; done

clean:
	rm -rf build
