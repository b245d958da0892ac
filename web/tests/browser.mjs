// What the browser tests share: the page's folder and Debian's chromium,
// started headless with a profile of its own and without the background
// traffic a closed network refuses.
import { mkdtempSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";

export const wurzel = resolve(dirname(fileURLToPath(import.meta.url)), "../..");
export const ordner = resolve(wurzel, process.env.VENTARO_WEB ?? "build-web");

export function browserStarten() {
  return puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    userDataDir: mkdtempSync(join(tmpdir(), "ventaro-chromium-")),
    args: ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage"],
  });
}
