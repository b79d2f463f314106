// Headless Chromium for the player checks, on a profile folder of the caller's (CHROMIUM names
// another binary than /usr/bin/chromium); options go to Playwright (a viewport). Its pages'
// own waits only guard against a hang and take the patience multiple.
import { chromium } from "playwright-core";
import { guard } from "./patience.mjs";

export async function launchBrowser(profile, options = {}) {
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium", headless: true, ...options,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync", "--autoplay-policy=no-user-gesture-required"] });
  context.setDefaultTimeout(guard(30000));
  return context;
}
