// The page as an installed app: its service worker keeps the page and its
// module for starts with no network, and the files the system hands the
// installed page (the file_handlers of manifest.webmanifest) come through
// the launch queue. A browser with neither runs the page as before.

export function setupInstalled(open) {
  navigator.serviceWorker?.register('sw.js').catch((error) => console.error(error));
  // The window opens one file from its command line; so does the page.
  window.launchQueue?.setConsumer(({ files }) => {
    const [handle] = files ?? [];
    if (handle?.kind === 'file') open(handle);
  });
}
