// platform/headless/HeadlessPlatform.cpp — the headless back-end (being written).
